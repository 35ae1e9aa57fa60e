#include "preferences.h"

#include "common/dialogs.h"
#include "common/error.h"
#include "common/numbers.h"
#include "common/programfolder.h"
#include "ismmain.h"
#include "krvform.h"
#include "settingsfile.h"
#include "updown.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace krv {

namespace {

constexpr int widthTwips = 4800;
constexpr int heightTwips = 2700;

// A port number box: room for two digits and a little more, whatever the font.
QLineEdit* portBox(QWidget* parent, const char* name) {
    auto* box = named(new QLineEdit(parent), name);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 8);
    return box;
}

// A port box between its label and its arrows, which touch it.
QHBoxLayout* portRange(QLabel* label, QLineEdit* box, UpDown* arrows) {
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(label);
    row->addSpacing(label->fontMetrics().horizontalAdvance(u' '));
    row->addWidget(box);
    row->addWidget(arrows);
    return row;
}

} // namespace

Preferences::Preferences(ISMmain& main) : main_(main) {
    setWindowTitle(QStringLiteral("Preferences"));
    TabStrip1 = named(new QTabBar(this), "TabStrip1");
    TabStrip1->setDrawBase(false);
    TabStrip1->setExpanding(false);
    TabStrip1->addTab(QStringLiteral("Communication"));
    TabStrip1->addTab(QStringLiteral("Startup options"));
    TabStrip1->addTab(QStringLiteral("Advanced"));
    // The pages share one place below the tabs, which is as large as the largest of them.
    auto* pages = new QGridLayout;
    for (int k = 1; k <= 3; ++k) {
        auto* frame = new QFrame(this);
        frame->setObjectName(QStringLiteral("Frame_pref_tabs_%1").arg(k));
        frame->setFrameShape(QFrame::StyledPanel);
        keepPlaceWhenHidden(frame);
        frame->hide();
        pages->addWidget(frame, 0, 0);
        Frame_pref_tabs[k] = frame;
    }

    QFrame* page1 = Frame_pref_tabs[1];
    Label1 = named(new QLabel(QStringLiteral("Comm. port range"), page1), "Label1");
    Label2 = named(new QLabel(QStringLiteral("From:"), page1), "Label2");
    ComNr_min = portBox(page1, "ComNr_min");
    UpDown1 = named(new UpDown(ComNr_min, Settings::FirstScanPort, Settings::LastScanPort, page1),
                    "UpDown1");
    Label3 = named(new QLabel(QStringLiteral("To:"), page1), "Label3");
    ComNr_max = portBox(page1, "ComNr_max");
    UpDown2 = named(new UpDown(ComNr_max, Settings::FirstScanPort, Settings::LastScanPort, page1),
                    "UpDown2");
    auto* range = new QHBoxLayout;
    range->addLayout(portRange(Label2, ComNr_min, UpDown1));
    range->addStretch(1);
    range->addLayout(portRange(Label3, ComNr_max, UpDown2));
    range->addStretch(2);
    auto* page1Layout = new QVBoxLayout(page1);
    page1Layout->addWidget(Label1);
    page1Layout->addLayout(range);
    page1Layout->addStretch();

    QFrame* page2 = Frame_pref_tabs[2];
    LoadWS = named(new QCheckBox(QStringLiteral("Load workspace on startup"), page2), "LoadWS");
    CCautoLoad =
        named(new QCheckBox(QStringLiteral("Load chip configuration:"), page2), "CCautoLoad");
    auto* page2Layout = new QVBoxLayout(page2);
    page2Layout->addWidget(LoadWS);
    page2Layout->addWidget(CCautoLoad);
    page2Layout->addStretch();

    EnLB_FWload = named(
        new QCheckBox(QStringLiteral("Enable LoadBoard Frimware loading"), Frame_pref_tabs[3]),
        "EnLB_FWload");
    auto* page3Layout = new QVBoxLayout(Frame_pref_tabs[3]);
    page3Layout->addWidget(EnLB_FWload);
    page3Layout->addStretch();

    Exit = named(new QPushButton(QStringLiteral("Cancel"), this), "Exit");
    Save = named(new QPushButton(QStringLiteral("Save && Exit"), this), "Save");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Exit);
    buttons->addWidget(Save);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(TabStrip1);
    layout->addLayout(pages, 1);
    layout->addSpacing(layout->contentsMargins().top());
    layout->addLayout(buttons);

    connect(TabStrip1, &QTabBar::currentChanged, this, &Preferences::TabStrip1_Click);
    connect(ComNr_min, &QLineEdit::textChanged, this, [this] { ComNr_Change(ComNr_min); });
    connect(ComNr_max, &QLineEdit::textChanged, this, [this] { ComNr_Change(ComNr_max); });
    connect(UpDown1, &UpDown::UpClick, this, &Preferences::UpDown1_UpClick);
    connect(UpDown2, &UpDown::DownClick, this, &Preferences::UpDown2_DownClick);
    connect(EnLB_FWload, &QCheckBox::toggled, this, &Preferences::EnLB_FWload_Click);
    connect(Save, &QPushButton::clicked, this, &Preferences::Save_Click);
    connect(Exit, &QPushButton::clicked, this, &Preferences::Exit_Click);
}

void Preferences::Form_Load() {
    main_.sizeDialog(this, widthTwips, heightTwips);
    main_.placeForm(this, 0, 0, ISMmain::PlaceRule::InView);
    ComNr_min->setText(main_.Commport_min);
    ComNr_max->setText(main_.Commport_max);
    LoadWS->setChecked(main_.Pref_LoadWS == 1);
    CCautoLoad->setChecked(main_.Pref_CCautoLoad == 1);
    EnLB_FWload->setChecked(main_.mnuload->isVisible());
    for (int k = 1; k <= 3; ++k)
        Frame_pref_tabs[k]->hide();
    CurrentTab = 1;
    {
        const QSignalBlocker blocker(TabStrip1);
        TabStrip1->removeTab(2);
        TabStrip1->setCurrentIndex(0);
    }
    Frame_pref_tabs[1]->show();
}

void Preferences::TabStrip1_Click() {
    const long k = TabStrip1->currentIndex() + 1;
    if (k < 1 || k == CurrentTab)
        return;
    Frame_pref_tabs[k]->show();
    Frame_pref_tabs[CurrentTab]->hide();
    CurrentTab = k;
}

void Preferences::ComNr_Change(QLineEdit* box) {
    const double value = leadingNumber(box->text());
    if (!Settings::inScanRange(value))
        box->setText(QString::number(Settings::nearestScanPort(value)));
}

void Preferences::UpDown1_UpClick() {
    if (UpDown1->value() > UpDown2->value())
        UpDown1->setValue(UpDown2->value());
}

void Preferences::UpDown2_DownClick() {
    if (UpDown2->value() < UpDown1->value())
        UpDown2->setValue(UpDown1->value());
}

void Preferences::EnLB_FWload_Click() {
    main_.mnuload->setVisible(EnLB_FWload->isChecked());
}

void Preferences::Save_Click() {
    Settings settings;
    settings.commportMin = ComNr_min->text();
    settings.loadWorkspace = LoadWS->isChecked() ? 1 : 0;
    settings.autoLoadConfiguration = CCautoLoad->isChecked() ? 1 : 0;
    settings.commportMax = ComNr_max->text();
    try {
        settings.save(ProgramFolder::file(QStringLiteral("KRV.ini")));
    } catch (const Error& e) {
        // The old file stays whole; the window stays open so that nothing typed is lost.
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again")),
                         QStringLiteral("File save error"));
        return;
    }
    main_.Commport_min = settings.commportMin;
    main_.Commport_max = settings.commportMax;
    main_.Pref_LoadWS = settings.loadWorkspace;
    main_.Pref_CCautoLoad = settings.autoLoadConfiguration;
    main_.unloadForm(objectName());
}

void Preferences::Exit_Click() {
    main_.unloadForm(objectName());
}

} // namespace krv
