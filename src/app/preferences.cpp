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
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabBar>

namespace krv {

namespace {

constexpr int widthTwips = 4800;
constexpr int heightTwips = 2700;

} // namespace

Preferences::Preferences(ISMmain& main) : main_(main) {
    setWindowTitle(QStringLiteral("Preferences"));
    TabStrip1 = named(new QTabBar(this), "TabStrip1", twipsRect(120, 120, 4440, 360));
    TabStrip1->addTab(QStringLiteral("Communication"));
    TabStrip1->addTab(QStringLiteral("Startup options"));
    TabStrip1->addTab(QStringLiteral("Advanced"));
    for (int k = 1; k <= 3; ++k) {
        auto* frame = new QFrame(this);
        frame->setObjectName(QStringLiteral("Frame_pref_tabs_%1").arg(k));
        frame->setFrameShape(QFrame::StyledPanel);
        Frame_pref_tabs[k] = frame;
    }
    QFrame* page1 = Frame_pref_tabs[1];
    Label1 = named(new QLabel(QStringLiteral("Comm. port range"), page1), "Label1",
                   twipsRect(120, 120, 2000, 255));
    Label2 =
        named(new QLabel(QStringLiteral("From:"), page1), "Label2", twipsRect(120, 480, 600, 255));
    ComNr_min = named(new QLineEdit(page1), "ComNr_min", twipsRect(720, 450, 600, 315));
    UpDown1 = named(new UpDown(ComNr_min, 0, 16, page1), "UpDown1", twipsRect(1320, 450, 255, 315));
    Label3 =
        named(new QLabel(QStringLiteral("To:"), page1), "Label3", twipsRect(1920, 480, 450, 255));
    ComNr_max = named(new QLineEdit(page1), "ComNr_max", twipsRect(2400, 450, 600, 315));
    UpDown2 = named(new UpDown(ComNr_max, 0, 16, page1), "UpDown2", twipsRect(3000, 450, 255, 315));
    QFrame* page2 = Frame_pref_tabs[2];
    LoadWS = named(new QCheckBox(QStringLiteral("Load workspace on startup"), page2), "LoadWS",
                   twipsRect(120, 120, 3500, 255));
    CCautoLoad = named(new QCheckBox(QStringLiteral("Load chip configuration:"), page2),
                       "CCautoLoad", twipsRect(120, 480, 3500, 255));
    EnLB_FWload = named(
        new QCheckBox(QStringLiteral("Enable LoadBoard Frimware loading"), Frame_pref_tabs[3]),
        "EnLB_FWload", twipsRect(120, 120, 3500, 255));
    Exit = named(new QPushButton(QStringLiteral("Cancel"), this), "Exit",
                 twipsRect(2040, 1680, 1200, 375));
    Save = named(new QPushButton(QStringLiteral("Save && Exit"), this), "Save",
                 twipsRect(3360, 1680, 1200, 375));

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
    if (QMdiSubWindow* frame = main_.frameOf(this)) {
        frame->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint);
        frame->setGeometry(0, 0, twipsToPixels(widthTwips), twipsToPixels(heightTwips));
        frame->setFixedSize(frame->size());
    }
    ComNr_min->setText(main_.Commport_min);
    ComNr_max->setText(main_.Commport_max);
    LoadWS->setChecked(main_.Pref_LoadWS == 1);
    CCautoLoad->setChecked(main_.Pref_CCautoLoad == 1);
    EnLB_FWload->setChecked(main_.mnuload->isVisible());
    const QRect client = twipsRect(120, 480, 4440, 1080);
    for (int k = 1; k <= 3; ++k) {
        Frame_pref_tabs[k]->setGeometry(client);
        Frame_pref_tabs[k]->hide();
    }
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
    if (value < 0)
        box->setText(QStringLiteral("0"));
    else if (value > 16)
        box->setText(QStringLiteral("16"));
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
