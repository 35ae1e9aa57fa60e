#pragma once

#include "app/ismmain.h"
#include "common/programfolder.h"
#include "console/seed/sqlscript.h"
#include "console/spi.h"
#include "sim/registerchip.h"
#include "testsupport.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QTest>
#include <QTimer>

namespace krv::test {

// A console on a connected simulated board with a demonstration register chip behind it.
struct ConsoleRig {
    Rig rig;
    std::shared_ptr<sim::RegisterChip> chip;
    SPI* spi = nullptr;

    // Connects the board (unless told not to), opens the console and clears what the board
    // received so far.
    bool open(const QString& chipName = QStringLiteral("DEMO-REG"), bool connect = true) {
        chip = std::make_shared<sim::RegisterChip>(*sim::RegisterChip::demo(chipName));
        sim::installRegisterChip(rig.board(), chip);
        if (connect && !rig.connectBoard())
            return false;
        if (!connect)
            rig.start();
        rig.main().mnuSPI_Click();
        spi = rig.main().loadedForm<SPI>(QStringLiteral("SPI"));
        rig.board().clearReceived();
        return spi != nullptr;
    }
    void choose(const QString& name) {
        spi->ChipSelect->setCurrentIndex(spi->ChipSelect->findText(name));
    }
    QStringList sent() { return rig.board().receivedLines(); }
    // Presses the button with the board silent and closes the console while its first line
    // waits: the operation ends there, quietly.
    void closeDuring(const QString& button) {
        rig.board().setFault(sim::Fault::NoReply);
        QTimer::singleShot(100, &rig.main(),
                           [this] { rig.main().unloadForm(QStringLiteral("SPI")); });
        spi->findChild<QPushButton*>(button)->click();
        QVERIFY(QTest::qWaitFor([this] { return !rig.main().loadedForm("SPI"); }));
        QCOMPARE(sent().size(), 1);
        QVERIFY(rig.dialogs().messages.isEmpty());
    }
    // A file in the test's folder, and what the next file dialog answers.
    QString file(const QString& name) { return rig.folder() + u'/' + name; }
    void answerFile(const QString& path) { rig.dialogs().files.append(path); }
    QByteArray bytes(const QString& name) {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString& name, const QByteArray& bytes) {
        QFile f(file(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

// Replaces the program folder's database by one made from the script.
inline void makeDatabase(const QString& script) {
    const QString path = ProgramFolder::file(QStringLiteral("KRV.db"));
    QFile::remove(path);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "fixture");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QCOMPARE(console::runSqlScript(db, script), QString());
        db.close();
    }
    QSqlDatabase::removeDatabase("fixture");
}

// Types into a box and presses Enter.
inline void enter(QLineEdit* box, const QString& text) {
    box->setText(text);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace krv::test
