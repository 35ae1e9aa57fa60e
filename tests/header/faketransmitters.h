#pragma once

#include "app/krvform.h"

#include <QWidget>

namespace krv {
class ISMmain;
}

namespace krv::test {

// A transmitter panel as the header generator sees it: its caption and the named controls it
// reads, at the panel's start state. Stands in for the HT531, HT537 and HT539 panels.
class FakeTransmitter : public QWidget, public ChipPanelForm {
    Q_OBJECT
public:
    FakeTransmitter(ISMmain& main, const QString& form);

    void SetFrameMode() override;
    QWidget* updateButton() override { return update_; }

    // Registers a stand-in under each of "MivraV2", "PelkoV1" and "HT539" that the program
    // does not have.
    static void registerMissing(ISMmain& main);

private:
    void text(const char* name, const QString& value);
    void list(const char* name, const QString& shown);
    void check(const char* name, bool checked);
    void options(std::initializer_list<const char*> names, const char* selected);
    void label(const char* name, const QString& caption);

    ISMmain& main_;
    QWidget* update_;
};

} // namespace krv::test
