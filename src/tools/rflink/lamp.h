#pragma once

#include <QFrame>

namespace krv::rflink {

// A small filled lamp of the CW link windows: bright green when lit, dark green when not.
class Lamp : public QFrame {
    Q_OBJECT
public:
    explicit Lamp(const char* name, QWidget* parent = nullptr);
    bool lit() const { return lit_; }
    void setLit(bool lit);

private:
    bool lit_ = false;
};

} // namespace krv::rflink
