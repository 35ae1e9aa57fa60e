#include "frm_genheader.h"

#include "app/ismmain.h"
#include "common/dialogs.h"
#include "common/error.h"
#include "common/latin1.h"
#include "common/programfolder.h"
#include "common/savefile.h"
#include "headerblocks.h"
#include "headerframe.h"
#include "panelreader.h"

#include <QBoxLayout>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <utility>

namespace krv {

namespace header {

// A chip panel the header can come from, in the order the panel flags are examined.
struct Source {
    bool ISMmain::*flag;
    const char* form;
    const char* model;
    const char* bModel; // nullptr when the panel has no B variant
    void (Frm_GenHeader::*blocks)();
};

namespace {

const Source sources[] = {
    {&ISMmain::TX0on, "MivraV2", "HT531", "HT531B", &Frm_GenHeader::Do_HT531},
    {&ISMmain::TX1on, "PelkoV1", "HT537", nullptr, &Frm_GenHeader::Do_HT537},
    {&ISMmain::TX2on, "HT539", "HT539", nullptr, &Frm_GenHeader::Do_HT539},
    {&ISMmain::RXon, "DruskV1", "HR651", nullptr, &Frm_GenHeader::Do_HR651},
    {&ISMmain::RX1on, "Ovalt", "HR658", nullptr, &Frm_GenHeader::Do_HR658},
    {&ISMmain::TRXon, "YambleV3", "HC913", "HC913B", &Frm_GenHeader::Do_HC913},
    {&ISMmain::TRX1on, "FRM_Zenth", "HC916", nullptr, &Frm_GenHeader::Do_HC916},
};

} // namespace

} // namespace header

namespace {

// The window's client area by design, in pixels.
constexpr int designWidth = 648;
constexpr int designHeight = 628;

// What the TAB columns need of the font it resolves to: narrow and wide characters and the blank
// equally wide.
bool resolvesFixed(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(u'M');
    return width > 0 && metrics.horizontalAdvance(u'i') == width &&
           metrics.horizontalAdvance(u' ') == width && metrics.horizontalAdvance(u'0') == width;
}

QFont previewFont() {
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    if (resolvesFixed(font))
        return font;
    QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    system.setPointSize(10);
    if (resolvesFixed(system))
        return system;
    for (const QString& family : QFontDatabase::families()) {
        QFont candidate(family, 10);
        if (QFontDatabase::isFixedPitch(family) && resolvesFixed(candidate))
            return candidate;
    }
    return font;
}

} // namespace

HeaderState& HeaderState::of(ISMmain& main) {
    if (auto* state = main.findChild<HeaderState*>(QString(), Qt::FindDirectChildrenOnly))
        return *state;
    auto* state = new HeaderState;
    state->setParent(&main);
    return *state;
}

Frm_GenHeader::Frm_GenHeader(ISMmain& main)
    : DeviceName(HeaderState::of(main).DeviceName),
      DefineLiteral(HeaderState::of(main).DefineLiteral),
      UpClkFrequency(HeaderState::of(main).UpClkFrequency),
      HeaderFileName(HeaderState::of(main).HeaderFileName), main_(main) {
    setWindowTitle(QStringLiteral("ANSI C Header Generator"));
    L_Source = named(new QLabel(QStringLiteral("Source: "), this), "L_Source");
    // The options stand where a caption would be drawn, so the frame shows none.
    Frame1 = named(new QGroupBox(this), "Frame1");
    CB_DeviceName = named(new QRadioButton(QStringLiteral("Add device name to literal"), Frame1),
                          "CB_DeviceName");
    CB_DefineLiteral =
        named(new QRadioButton(QStringLiteral("Add text to literal"), Frame1), "CB_DefineLiteral");
    TB_Literal = named(new QLineEdit(QStringLiteral("RFSETUP"), Frame1), "TB_Literal");
    TB_Literal->setFixedWidth(
        std::max(65, TB_Literal->fontMetrics().horizontalAdvance(QStringLiteral("RFSETUP")) + 12));
    PB_Generate = named(new QPushButton(QStringLiteral("&Generate Header"), this), "PB_Generate");
    PB_Clear = named(new QPushButton(QStringLiteral("&Clear Contents"), this), "PB_Clear");
    PB_Save = named(new QPushButton(QStringLiteral("&Save"), this), "PB_Save");
    TB_Header = named(new QPlainTextEdit(this), "TB_Header");

    auto* options = new QGridLayout(Frame1);
    options->setContentsMargins(8, 6, 8, 6);
    options->setVerticalSpacing(4);
    options->addWidget(CB_DeviceName, 0, 0, 1, 2);
    options->addWidget(CB_DefineLiteral, 1, 0);
    options->addWidget(TB_Literal, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(15);
    // The buttons keep their design widths, or more where the captions need it.
    for (const auto& [button, width] :
         {std::pair{PB_Generate, 129}, {PB_Clear, 121}, {PB_Save, 113}}) {
        button->setMinimumWidth(width);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(L_Source);
    left->addStretch(1);
    left->addLayout(buttons);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 8, 8, 7);
    layout->setHorizontalSpacing(15);
    layout->setVerticalSpacing(7);
    layout->addLayout(left, 0, 0);
    layout->addWidget(Frame1, 0, 1);
    layout->addWidget(TB_Header, 1, 0, 1, 2);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(0, 1);
    TB_Header->setReadOnly(true);
    TB_Header->setLineWrapMode(QPlainTextEdit::NoWrap);
    TB_Header->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TB_Header->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TB_Header->setFont(previewFont());
    TB_Header->setTabStopDistance(8 * QFontMetricsF(TB_Header->font()).horizontalAdvance(u' '));

    // The two options toggle together: one handler serves both.
    connect(CB_DeviceName, &QRadioButton::toggled, this, &Frm_GenHeader::CB_DeviceName_Click);
    connect(PB_Generate, &QPushButton::clicked, this, &Frm_GenHeader::PB_Generate_Click);
    connect(PB_Clear, &QPushButton::clicked, this, &Frm_GenHeader::PB_Clear_Click);
    connect(PB_Save, &QPushButton::clicked, this, &Frm_GenHeader::PB_Save_Click);
}

void Frm_GenHeader::Form_Load() {
    if (QMdiSubWindow* frame = main_.frameOf(this)) {
        frame->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint);
        // The design's client area, or more where this desktop's fonts need it.
        const QSize decoration = frame->sizeHint() - sizeHint();
        frame->resize(QSize(designWidth, designHeight).expandedTo(sizeHint()) + decoration);
    }
    CB_DeviceName->setChecked(true);
    PB_Generate_Click();
}

void Frm_GenHeader::CB_DeviceName_Click() {
    TB_Literal->setEnabled(!CB_DeviceName->isChecked());
}

void Frm_GenHeader::PB_Generate_Click() {
    // Every define must stay a C identifier, or the header would not compile.
    if (CB_DefineLiteral->isChecked() && !header::isDefinePrefix(TB_Literal->text())) {
        Dialogs::message(QStringLiteral("The text added to the literal must be a C identifier "
                                        "(letters, digits and _, not beginning with a digit)."),
                         QStringLiteral("Invalid literal"), Dialogs::Icon::Exclamation,
                         Dialogs::Buttons::Ok, this);
        return;
    }
    if (SetSource())
        GenerateHeader();
}

bool Frm_GenHeader::SetSource() {
    for (const header::Source& source : header::sources) {
        if (!(main_.*source.flag))
            continue;
        // Read as it stands: the generator never loads a panel.
        QWidget* panel = main_.loadedForm(QString::fromLatin1(source.form));
        if (!panel)
            break;
        bVariant_ = source.bModel && main_.IsBijakuModeSet();
        L_Source->setText(QStringLiteral("Source: ") + panel->windowTitle());
        DeviceName = QString::fromLatin1(bVariant_ ? source.bModel : source.model);
        DefineLiteral = CB_DeviceName->isChecked() ? DeviceName : TB_Literal->text();
        source_ = &source;
        sourcePanel_ = panel;
        return true;
    }
    Dialogs::message(QStringLiteral("Please open the appropriate control panel."),
                     QStringLiteral("No control panel opened."), Dialogs::Icon::None,
                     Dialogs::Buttons::Ok, this);
    L_Source->setText(QStringLiteral("Source: No source."));
    return false;
}

void Frm_GenHeader::GenerateHeader() {
    if (!source_ || !sourcePanel_)
        return;
    const header::PanelReader panel(sourcePanel_);
    const QString clockText = panel.text(QStringLiteral("CLKout"));
    const auto clock = header::clockOutputHz(clockText);
    if (!clock) {
        Dialogs::message(QStringLiteral("The clock output frequency \"") + clockText +
                             QStringLiteral("\" of the panel is not a number of MHz."),
                         QStringLiteral("Invalid clock output"), Dialogs::Icon::Exclamation,
                         Dialogs::Buttons::Ok, this);
        return;
    }
    UpClkFrequency = *clock;
    header::Banner banner{DeviceName, std::nullopt, panel.text(QStringLiteral("Crystalfreq")),
                          UpClkFrequency};
    if (!bVariant_)
        banner.revision = panel.text(QStringLiteral("Revision"));
    header_.clear();
    for (const QString& line : header::openingLines(banner))
        AppendHeaderLine(line);
    (this->*source_->blocks)();
    for (const QString& line : header::closingLines())
        AppendHeaderLine(line);
    showHeader();
}

void Frm_GenHeader::appendBlocks(const header::ChipBlocks& chip) {
    for (const QString& line :
         header::blockLines(chip, DefineLiteral, header::PanelReader(sourcePanel_)))
        AppendHeaderLine(line);
}

void Frm_GenHeader::Do_HT531() {
    appendBlocks(header::ht531Blocks());
}

void Frm_GenHeader::Do_HT537() {
    appendBlocks(header::ht537Blocks());
}

void Frm_GenHeader::Do_HT539() {
    appendBlocks(header::ht539Blocks());
}

void Frm_GenHeader::Do_HR651() {
    appendBlocks(header::hr651Blocks());
}

void Frm_GenHeader::Do_HR658() {
    appendBlocks(header::hr658Blocks());
}

void Frm_GenHeader::Do_HC913() {
    appendBlocks(header::hc913Blocks());
}

void Frm_GenHeader::Do_HC916() {
    appendBlocks(header::hc916Blocks());
}

void Frm_GenHeader::AppendHeaderLine(const QString& line) {
    header_ += line + QStringLiteral("\r\n");
}

void Frm_GenHeader::showHeader() {
    // The preview's own line breaks stand for the model's CR LF.
    QString shown = header_;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    TB_Header->setPlainText(shown);
}

void Frm_GenHeader::PB_Clear_Click() {
    header_.clear();
    showHeader();
}

void Frm_GenHeader::PB_Save_Click() {
    Dialogs::FileRequest request;
    request.title = QStringLiteral("Save Header File");
    request.filter = QStringLiteral("C header files (*.h);;All files (*.*)");
    request.directory = ProgramFolder::path();
    request.fileName = QStringLiteral("Setup_") + DeviceName;
    request.defaultSuffix = QStringLiteral("h");
    const QString path = Dialogs::saveFileAskingToReplace(request, this);
    if (path.isEmpty())
        return;
    try {
        const QByteArray bytes = checkedLatin1(header_ + QStringLiteral("\r\n"),
                                               QStringLiteral("The header"), TextFor::File);
        HeaderFileName = path;
        saveFileWhole(path, bytes);
    } catch (const Error& e) {
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again")),
                         QStringLiteral("File save error"), Dialogs::Icon::None,
                         Dialogs::Buttons::Ok, this);
    }
}

void registerHeaderForms() {
    ISMmain::registerForm(QStringLiteral("Frm_GenHeader"),
                          [](ISMmain& main) { return new Frm_GenHeader(main); });
}

} // namespace krv
