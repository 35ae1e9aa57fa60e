#pragma once

#include "app/ismmain.h"

#include <QLineEdit>
#include <QWidget>

namespace krv::test {

// A transmitter panel as the EEPROM tools see it: its word boxes by name, its caption and its
// crystal, with the words of a freshly loaded HT531 panel.
class FakeTxPanel : public QWidget {
    Q_OBJECT
public:
    explicit FakeTxPanel(const QString& caption) {
        setWindowTitle(caption);
        const std::pair<const char*, const char*> words[] = {
            {"Ctrlw", "8080"}, {"Freqw", "A4B0"}, {"OutPowerw", "B0"},   {"PowerMw", "C000"},
            {"LBDw", "C200"},  {"Wkupw", "E000"}, {"Dataratew", "C847"}, {"TB_PLLCmd", "D240"}};
        for (const auto& [name, word] : words) {
            auto* box = new QLineEdit(QString::fromLatin1(word), this);
            box->setObjectName(QString::fromLatin1(name));
        }
    }
    Q_INVOKABLE int GetXtalFrequency() const { return xtal; }
    void setWord(const char* name, const QString& word) {
        findChild<QLineEdit*>(QString::fromLatin1(name))->setText(word);
    }
    int xtal = 10000000;
};

inline void registerFakeTxPanels() {
    ISMmain::registerForm(QStringLiteral("MivraV2"), [](ISMmain&) {
        return new FakeTxPanel(QStringLiteral("HT531 transmitter control panel"));
    });
    ISMmain::registerForm(QStringLiteral("PelkoV1"), [](ISMmain&) {
        return new FakeTxPanel(QStringLiteral("HT537 transmitter control panel"));
    });
}

// Shows the fake panel as the panel switcher would: loaded, and its window-open flag set.
inline FakeTxPanel* showFakePanel(ISMmain& main, bool ht537 = false) {
    auto* panel = qobject_cast<FakeTxPanel*>(
        main.form(ht537 ? QStringLiteral("PelkoV1") : QStringLiteral("MivraV2")));
    (ht537 ? main.TX1on : main.TX0on) = true;
    return panel;
}

} // namespace krv::test
