#pragma once

#include "link/linkhost.h"
#include "link/replytails.h"

#include <QComboBox>
#include <QLabel>
#include <functional>

namespace krv::test {

// The window side of the link without a main window: records what the link tells it.
class LinkHostDouble : public LinkHost {
public:
    ReplyTails tails{QString(), QString(), QString(), okEnding(), errorEnding()};
    QString status;
    QString echoed;
    int lost = 0;
    // Runs after each echo, as a monitor window's change handler would.
    std::function<void()> onEcho;
    int boardRev = 2;
    QComboBox selector;
    QLabel label;
    DataSelectorLock lock;

    ReplyTails& replyTails() override { return tails; }
    void setCommStatus(const QString& text) override { status = text; }
    void echoToMonitors(const QString& text) override {
        echoed += text;
        if (onEcho)
            onEcho();
    }
    void echoToTerminal(const QString&) override {}
    void boardLost() override { ++lost; }
    int loadBoardRev() const override { return boardRev; }
    QComboBox* dataSelector() override { return &selector; }
    QWidget* dataSelectorLabel() override { return &label; }
    DataSelectorLock& dataSelectorLock() override { return lock; }
};

} // namespace krv::test
