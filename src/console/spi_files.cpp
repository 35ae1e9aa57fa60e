// Register set files and window setup files.

#include "common/dialogs.h"
#include "consolefiles.h"
#include "consolewidgets.h"
#include "registerbits.h"
#include "spi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace krv {

using namespace console;

namespace {

const QString chipLine = QStringLiteral("#CHIP ");

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
        writeTextLines(path, lines);
    });
}

void SPI::SaveSettings_Click() {
    saveRegisterSet(QStringLiteral("WHERE StatusReg = 0 ORDER BY rowid"));
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
        const QStringList lines = readTextLines(path);
        ProgressBar1->setValue(0);
        tickAllFilters();
        setView(QStringLiteral("WHERE StatusReg = 0 ORDER BY rowid"));
        if (lines.size() > 1)
            Notes->setText(lines[1]);
        for (qsizetype i = 2; i < lines.size(); ++i) {
            const qsizetype comma = lines[i].indexOf(u',');
            QString address = comma < 0 ? lines[i] : lines[i].left(comma);
            QString value = comma < 0 ? QString() : lines[i].mid(comma + 1);
            address.remove(u' ');
            value.remove(u' ');
            if (lookup(address))
                storeValue(address, value);
            else
                Dialogs::message(QStringLiteral("Register address ") + address +
                                     QStringLiteral("h does not exist!"),
                                 QStringLiteral("Register Address Error."));
        }
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
        for (const QLineEdit* address : M_Address)
            lines.append(address->text());
        writeTextLines(path, lines);
    });
}

void SPI::LoadGUI_Click() {
    runFileCommand(false, [&] {
        const QString path = askTextFile(this, QStringLiteral("Load GUI Configuration"), false);
        if (path.isEmpty())
            return;
        const QStringList lines = readTextLines(path);
        if (lines.size() > 1)
            GuiNotes->setText(lines[1]);
        for (int r = 0; r < 6 && r + 2 < lines.size(); ++r) {
            M_Address[r]->setText(lines[r + 2]);
            const std::optional<WorkRow> work = lookup(lines[r + 2]);
            if (work) {
                fillRow(r, *work);
                continue;
            }
            // The address stays as the file has it; nothing of another register stays beside it.
            const QString address = lines[r + 2];
            clearRow(r);
            M_Address[r]->setText(address);
            M_Read[r]->setEnabled(false);
            M_Send[r]->setEnabled(false);
        }
    });
}

} // namespace krv
