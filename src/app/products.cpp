#include "products.h"

#include "ismmain.h"
#include "version.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QVBoxLayout>

namespace krv {

Products::Products(ISMmain& main) : main_(main) {
    setWindowTitle(QStringLiteral("Supported Products "));
    auto* layout = new QVBoxLayout(this);
    // A fixed window as large as its longest line.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(Label1);
    const auto addLabel = [this, layout](const QString& text, const QString& name, bool bold) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        if (bold) {
            QFont font = label->font();
            font.setBold(true);
            label->setFont(font);
        }
        layout->addWidget(label);
        return label;
    };
    addLabel(QStringLiteral("Wireless Connectivity"), QStringLiteral("Label2"), true);
    addLabel(QStringLiteral("Tolvano<sup>TM</sup>"), QStringLiteral("Label3"), true)
        ->setTextFormat(Qt::RichText);
    addLabel(QStringLiteral("ISM Band Products"), QStringLiteral("Label4"), true);
    const QStringList products = {QStringLiteral("HT531 Universal FSK Transmitter IC"),
                                  QStringLiteral("HT531B Universal FSK Transmitter IC"),
                                  QStringLiteral("HT537 Universal FSK Transmitter IC"),
                                  QStringLiteral("HT539 Universal FSK Transmitter IC"),
                                  QStringLiteral("HR651 Universal FSK Receiver IC"),
                                  QStringLiteral("HR658 Universal FSK Receiver IC"),
                                  QStringLiteral("HC913 Universal FSK Transceiver IC"),
                                  QStringLiteral("HC913B Universal FSK Transceiver IC"),
                                  QStringLiteral("HC916 Universal FSK Transceiver IC")};
    for (qsizetype i = 0; i < products.size(); ++i)
        addLabel(products.at(i), QStringLiteral("Product%1").arg(i + 1), false);
    addLabel(QStringLiteral("www.orvalex.example"), QStringLiteral("WebAddress"), false);
}

void Products::Form_Load() {
    // The version line is the longest: the window takes its size once the line is set.
    Label1->setText(QStringLiteral("KRV ") + version::number() +
                    QStringLiteral(" supports the following products:"));
    if (QMdiSubWindow* frame = main_.frameOf(this)) {
        frame->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint);
        adjustSize();
        frame->resize(frame->sizeHint());
    }
}

} // namespace krv
