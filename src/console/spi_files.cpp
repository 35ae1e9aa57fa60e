// Register set files and window setup files.

#include "common/dialogs.h"
#include "consolefiles.h"
#include "consoletext.h"
#include "consolewidgets.h"
#include "registerbits.h"
#include "registerset.h"
#include "spi.h"
#include "windowsetup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHash>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>

namespace krv {

using namespace console;

namespace {

const QString chipLine = QStringLiteral("#CHIP ");
const QString storedOrder = QStringLiteral("WHERE StatusReg = 0 ORDER BY rowid");
// What the first lines of both files hold, for a message about them.
const QStringList headerNames{QStringLiteral("\"#CHIP \" and the chip name"),
                              QStringLiteral("the notes")};

} // namespace

void SPI::saveRegisterSet(const QString& clause) {
    runFileCommand(true, [&] {
        const QString path =
            askTextFile(this, QStringLiteral("Save Chip Configuration to Text File"), true);
        if (path.isEmpty())
            return;
        QStringList lines{chipLine + ChipSelect->currentText(), Notes->text()};
        try {
            if (db_ && db_->isOpen() && !clause.isEmpty()) {
                for (const WorkRow& row : db_->workRows(clause))
                    lines.append(row.address + u',' + row.hexValue);
            }
        } catch (const DatabaseError& error) {
            reportDatabase(error);
            return;
        }
        writeTextLines(path, lines, headerNames);
    });
}

void SPI::SaveSettings_Click() {
    saveRegisterSet(storedOrder);
}

void SPI::Command4_Click() {
    const QStringList classes = tickedClasses();
    saveRegisterSet(classes.isEmpty() ? QString()
                                      : QStringLiteral("WHERE ") + classes.join(" OR ") +
                                            QStringLiteral(" ORDER BY rowid"));
}

void SPI::LoadSettings_Click() {
    bool loaded = false;
    runFileCommand(false, [&] {
        const QString path = askTextFile(this, QStringLiteral("Load Chip Configuration"), false);
        if (path.isEmpty())
            return;
        const RegisterSetFile file = readRegisterSet(readTextFile(path));
        // The whole file is examined before anything changes: a file that names none of the
        // chip's registers is no register set of it.
        QSet<QString> known;
        try {
            if (db_ && db_->isOpen()) {
                for (const WorkRow& row : db_->workRows(storedOrder))
                    known.insert(row.address.toUpper());
            }
        } catch (const DatabaseError& error) {
            reportDatabase(error);
            return;
        }
        QStringList unknown;
        QStringList badValues;
        for (const RegisterSetFile::Value& line : file.values) {
            const QString address = QString::fromLatin1(line.address);
            const QString value = QString::fromLatin1(line.value);
            if (!known.contains(address.toUpper()))
                unknown.append(printable(address) + u'h');
            else if (!isHexValue(value))
                badValues.append(QStringLiteral("line %1 (%2,%3)")
                                     .arg(line.line)
                                     .arg(address, printable(value)));
        }
        // A value the chip cannot take would stay in the table and be written with every later
        // set: the file is refused whole, before anything changes.
        if (!badValues.isEmpty()) {
            QString text = QStringLiteral("\"%1\" holds values that are not one or two hexadecimal "
                                          "digits: %2. Nothing was loaded or written to the chip.")
                               .arg(QFileInfo(path).fileName(), shortList(badValues));
            if (!unknown.isEmpty())
                text += QStringLiteral(" The file also names register addresses that do not "
                                       "exist: %1.")
                            .arg(shortList(unknown));
            Dialogs::message(text, QStringLiteral("File open error"));
            return;
        }
        if (unknown.size() == file.values.size()) {
            Dialogs::message(
                QStringLiteral("No line of \"%1\" sets a register of %2 (a line "
                               "\"address,value\" from the third line on). Nothing "
                               "was loaded or written to the chip.")
                    .arg(QFileInfo(path).fileName(), ChipSelect->currentIndex() < 0
                                                         ? QStringLiteral("a chosen chip")
                                                         : ChipSelect->currentText()),
                QStringLiteral("File open error"));
            return;
        }
        ProgressBar1->setValue(0);
        tickAllFilters();
        setView(storedOrder);
        if (file.notes)
            Notes->setText(*file.notes);
        // A register named twice keeps its last value, and is stored once.
        QHash<QString, RegisterSetFile::Value> values;
        for (const RegisterSetFile::Value& line : file.values) {
            const QString address = QString::fromLatin1(line.address).toUpper();
            if (known.contains(address))
                values.insert(address, line);
        }
        // One digit is stored as the two the chip is written with.
        for (const RegisterSetFile::Value& line : std::as_const(values))
            storeValue(QString::fromLatin1(line.address),
                       QString::fromLatin1(line.value).rightJustified(2, u'0'));
        if (unknown.size() == 1)
            Dialogs::message(QStringLiteral("Register address %1 does not exist!").arg(unknown[0]),
                             QStringLiteral("Register Address Error."));
        else if (!unknown.isEmpty())
            Dialogs::message(
                QStringLiteral("Register addresses %1 do not exist!").arg(shortList(unknown)),
                QStringLiteral("Register Address Error."));
        loaded = true;
    });
    if (loaded)
        UpdateChip_Click();
}

void SPI::SaveGUI_Click() {
    runFileCommand(true, [&] {
        const QString path =
            askTextFile(this, QStringLiteral("Save GUI Configuration to Text File"), true);
        if (path.isEmpty())
            return;
        QStringList lines{chipLine + ChipSelect->currentText(), GuiNotes->text()};
        QStringList names = headerNames;
        for (int r = 0; r < WindowSetupRows; ++r) {
            lines.append(M_Address[r]->text());
            names.append(QStringLiteral("the address of register row %1").arg(r + 1));
        }
        writeTextLines(path, lines, names);
    });
}

void SPI::LoadGUI_Click() {
    runFileCommand(false, [&] {
        const QString path = askTextFile(this, QStringLiteral("Load GUI Configuration"), false);
        if (path.isEmpty())
            return;
        const WindowSetup setup = readWindowSetup(readTextFile(path));
        if (setup.notes)
            GuiNotes->setText(*setup.notes);
        for (int r = 0; r < setup.addresses.size(); ++r) {
            const QString& address = setup.addresses[r];
            M_Address[r]->setText(address);
            const std::optional<WorkRow> work = lookup(address);
            if (work) {
                fillRow(r, *work);
                continue;
            }
            // The address stays as the file has it; nothing of another register stays beside it.
            clearRow(r);
            M_Address[r]->setText(address);
            M_Read[r]->setEnabled(false);
            M_Send[r]->setEnabled(false);
        }
    });
}

} // namespace krv
