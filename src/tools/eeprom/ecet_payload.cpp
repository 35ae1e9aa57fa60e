// The payload editor of each event: the two views, the inserts, the data transmit command and
// the gesture that reveals the PN9 button.

#include "common/latin1.h"
#include "common/numbers.h"
#include "ecet.h"
#include "eventimage.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace krv {

namespace {

constexpr char16_t controlPictures = 0x2400;
constexpr char16_t deletePicture = 0x2421;

// The character view: a CR LF pair is a line break, other control codes show as their control
// pictures, so that every byte stays visible and the text reads back byte for byte.
QString characterView(const QByteArray& bytes) {
    QString text;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar c = uchar(bytes[i]);
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            text += u'\n';
            ++i;
        } else if (c < 32) {
            text += QChar(char16_t(controlPictures + c));
        } else if (c == 127) {
            text += QChar(deletePicture);
        } else {
            text += QChar(c);
        }
    }
    return text;
}

// The character view with every placeholder standing as the byte it shows: what is left outside
// Latin-1 is what the payload cannot hold.
QString heldView(const QString& text) {
    QString held = text;
    for (QChar& ch : held) {
        const char16_t u = ch.unicode();
        if (u >= controlPictures && u < controlPictures + 32)
            ch = QChar(char16_t(u - controlPictures));
        else if (u == deletePicture)
            ch = QChar(char16_t(127));
    }
    return held;
}

// A character the payload cannot hold is left out; the editor's log says which it was.
QByteArray bytesOfCharacterView(const QString& text) {
    QByteArray bytes;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == u'\n' || u == QChar::ParagraphSeparator)
            bytes += "\r\n";
        else if (u >= controlPictures && u < controlPictures + 32)
            bytes += char(u - controlPictures);
        else if (u == deletePicture)
            bytes += char(127);
        else if (u <= 0xFF)
            bytes += char(u);
    }
    return bytes;
}

QString framed(const QString& message, const QString& caption) {
    return message + QStringLiteral("( ") + caption + QStringLiteral(" )");
}

} // namespace

void ECET::showPayload(int e) {
    EventTab& t = tabs_[e];
    const QString text = t.hexView ? QString::fromLatin1(t.payload) : characterView(t.payload);
    if (t.TB_Payload->toPlainText() == text)
        return;
    showing_ = true;
    t.TB_Payload->setPlainText(text);
    t.TB_Payload->moveCursor(QTextCursor::End);
    showing_ = false;
}

void ECET::TB_Payload_Change(int e) {
    if (showing_)
        return;
    EventTab& t = tabs_[e];
    const QString shown = t.TB_Payload->toPlainText();
    int caret = t.TB_Payload->textCursor().position();
    QByteArray payload;
    if (t.hexView) {
        const QByteArray typed = shown.toLatin1();
        payload = eventimage::hexOnlyUpper(typed);
        caret -= int(typed.left(caret).size() - eventimage::hexOnlyUpper(typed.left(caret)).size());
    } else {
        if (const std::optional<NonLatin1> found = firstNonLatin1(heldView(shown))) {
            AppendErrorLog(framed(QStringLiteral("ERROR: Payload holds %1, which the EEPROM image "
                                                 "cannot hold (single-byte Latin-1 text only); it "
                                                 "was left out. ")
                                      .arg(found->describe(true)),
                                  frameCaption(e)),
                           LogColour::Red);
            moveLogCaretToEnd();
        }
        payload = bytesOfCharacterView(shown);
    }
    // The limit stops typing only; a payload already beyond it may still get shorter.
    if (t.limit >= 0 && payload.size() > qMax<qsizetype>(t.limit, t.payload.size())) {
        payload = t.payload;
        caret = -1;
    }
    t.payload = payload;
    const QString text = t.hexView ? QString::fromLatin1(payload) : characterView(payload);
    if (text != shown) {
        showing_ = true;
        t.TB_Payload->setPlainText(text);
        QTextCursor cursor = t.TB_Payload->textCursor();
        cursor.setPosition(caret < 0 ? int(text.size()) : qBound(0, caret, int(text.size())));
        t.TB_Payload->setTextCursor(cursor);
        showing_ = false;
    }
}

void ECET::viewChanged(int e, bool hex) {
    EventTab& t = tabs_[e];
    if (hex == t.hexView)
        return;
    if (hex) {
        t.hexView = true;
        if (t.limit >= 0)
            t.limit *= 2;
        t.payload = *Hex2Ascii2Hex(t.payload, true);
        showPayload(e);
        return;
    }
    const std::optional<QByteArray> bytes = Hex2Ascii2Hex(t.payload, false);
    if (!bytes) {
        // Nothing is lost: the payload stays as digits until it can be read as bytes.
        const QSignalBlocker blocker(t.OB_HexView);
        t.OB_HexView->setChecked(true);
        AppendErrorLog(
            framed(QStringLiteral("ERROR: Payload is not hexadecimal. "), frameCaption(e)),
            LogColour::Red);
        moveLogCaretToEnd();
        return;
    }
    t.hexView = false;
    if (t.limit >= 0)
        t.limit = int(roundHalfEven(t.limit / 2.0));
    t.payload = *bytes;
    showPayload(e);
}

void ECET::selectView(int e, bool hex) {
    (hex ? tabs_[e].OB_HexView : tabs_[e].OB_Ascii_View)->setChecked(true);
}

void ECET::appendToPayload(int e, const QByteArray& digits) {
    const bool wasHex = tabs_[e].hexView;
    selectView(e, true);
    tabs_[e].payload += digits;
    showPayload(e);
    selectView(e, wasHex);
}

void ECET::PB_Preamble_Click(int e) {
    appendToPayload(e, "AA");
}

void ECET::PB_PN9_Click(int e) {
    appendToPayload(e, eventimage::pn9Digits());
}

void ECET::PB_SynchPattern_Click(int e) {
    const bool wasHex = tabs_[e].hexView;
    selectView(e, true);
    const QByteArray& digits = tabs_[e].payload;
    if (digits.size() > 2 && !digits.startsWith("AA")) {
        AppendErrorLog(
            framed(QStringLiteral("WARNING: No preamble bytes found before synchronic pattern. "),
                   frameCaption(e)),
            LogColour::Red);
        AppendErrorLog(QStringLiteral("It is recommended to send at least two bytes of preamble "
                                      "before start filling the FIFO."),
                       LogColour::Black);
    }
    tabs_[e].payload += tabs_[e].TB_Pattern->text().toLatin1();
    showPayload(e);
    selectView(e, wasHex);
}

void ECET::TB_Pattern_Change(int e) {
    QLineEdit* box = tabs_[e].TB_Pattern;
    const QByteArray digits = eventimage::hexOnlyUpper(box->text().toLatin1());
    if (box->text() != QString::fromLatin1(digits))
        box->setText(QString::fromLatin1(digits));
}

void ECET::TB_Pattern_LostFocus(int e) {
    if (tabs_[e].TB_Pattern->text().size() >= 4)
        return;
    AppendErrorLog(
        framed(QStringLiteral("ERROR: Hexadecimal data must be entered in two character format. "),
               frameCaption(e)),
        LogColour::Red);
    AppendErrorLog(QStringLiteral("Please correct pattern bytes."), LogColour::Black);
    moveLogCaretToEnd();
}

void ECET::PB_InsertTx_Click(int e) {
    EventTab& t = tabs_[e];
    const bool wasHex = t.hexView;
    selectView(e, true);
    const eventimage::Transmit transmit = eventimage::dataTransmitCommand(t.payload);
    if (transmit.error != eventimage::TransmitError::None) {
        const QString error =
            transmit.error == eventimage::TransmitError::TooLong
                ? QStringLiteral("ERROR: Data Transmit Command holds at most 255 bytes. ")
                : QStringLiteral(
                      "ERROR: Hexadecimal data must be entered in two character format. ");
        AppendErrorLog(framed(error, frameCaption(e)), LogColour::Red);
        AppendErrorLog(QStringLiteral("Data Transmit Command has not been added."),
                       LogColour::Black);
        moveLogCaretToEnd();
        selectView(e, wasHex);
        return;
    }
    appendToRoutine(e, transmit.command);
    const int room = eventimage::SlotDigits - int(routines_[e].size());
    if (room > t.payload.size() + 8) {
        t.limit = room;
        t.Label3->setText(QStringLiteral("Payload [ max. ") + eventimage::halfText(room) +
                          QStringLiteral(" bytes ]"));
    } else {
        t.Label3->setText(QStringLiteral("Payload [ full ]"));
        if (room < 5)
            t.PB_Fill->setEnabled(false);
    }
    selectView(e, wasHex);
}

void ECET::fetchedLimits(int e) {
    EventTab& t = tabs_[e];
    const int room = 248 - int(routines_[e].size());
    if (t.hexView) {
        t.limit = qMax(0, room);
        t.Label3->setText(QStringLiteral("Payload  [ max. ") + eventimage::halfText(room) +
                          QStringLiteral(" bytes ]"));
    } else {
        const int bytes = int(roundHalfEven(room / 2.0));
        t.limit = qMax(0, bytes);
        t.Label3->setText(QStringLiteral("Payload  [ max. ") + QString::number(bytes) +
                          QStringLiteral(" bytes ]"));
    }
}

void ECET::Frm_ECETEvents_DblClick() {
    if (!pn9Armed_) {
        setWindowTitle(rememberedCaption_ + u'.');
        PN9_Timer->start();
        pn9Armed_ = true;
        return;
    }
    PN9_Timer->stop();
    pn9Armed_ = false;
    for (EventTab& t : tabs_)
        t.PB_PN9->show();
    setWindowTitle(rememberedCaption_);
}

void ECET::PN9_Timer_Timer() {
    if (!pn9Armed_)
        return;
    PN9_Timer->stop();
    for (EventTab& t : tabs_)
        t.PB_PN9->hide();
    pn9Armed_ = false;
    setWindowTitle(rememberedCaption_);
}

} // namespace krv
