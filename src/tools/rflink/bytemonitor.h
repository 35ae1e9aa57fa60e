#pragma once

#include <QByteArray>
#include <QPlainTextEdit>

namespace krv::rflink {

// A read-only monitor of received bytes. It keeps the bytes themselves and shows them in the
// chosen view, characters or hexadecimal pairs, so switching views never loses or garbles
// anything and a packet arriving in either view is shown in that view.
class ByteMonitor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ByteMonitor(QWidget* parent = nullptr);

    const QByteArray& bytes() const { return bytes_; }
    bool hexView() const { return hex_; }
    void setHexView(bool hex);
    void appendBytes(const QByteArray& bytes);
    void setBytes(const QByteArray& bytes);
    void clearBytes() { setBytes({}); }
    // A few lines: the monitor takes what room its window gives it, and asks for little, so
    // that the window keeps near its design size.
    QSize sizeHint() const override;

private:
    QString rendered(const QByteArray& bytes);
    void appendShown(const QString& text);

    QByteArray bytes_;
    bool hex_ = false;
    // A CR shown as a line break waits to see whether an LF follows it.
    bool pendingCr_ = false;
};

} // namespace krv::rflink
