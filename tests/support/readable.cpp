#include "readable.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>
#include <cmath>

namespace krv::test {

namespace {

// The font variants of the readability tests name a second family in KRV_TEST_FONT, or a larger
// size in points in KRV_TEST_POINT_SIZE: it becomes the application's font before any window is
// made, as a user's desktop font would.
void useTestFont() {
    const QString family = qEnvironmentVariable("KRV_TEST_FONT");
    const int points = qEnvironmentVariableIntValue("KRV_TEST_POINT_SIZE");
    QFont font = QGuiApplication::font();
    if (!family.isEmpty())
        font.setFamilies({family});
    if (points > 0)
        font.setPointSize(points);
    if (!family.isEmpty() || points > 0)
        QGuiApplication::setFont(font);
}
Q_COREAPP_STARTUP_FUNCTION(useTestFont)

bool isRich(const QLabel* label) {
    return label->textFormat() == Qt::RichText ||
           (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
}

// The text a control shows, when it is one whose text must not be cut.
QString shownText(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->wordWrap() ? QString() : label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text().remove(u'&');
    return {};
}

// The width the text takes on screen.
int textWidth(QWidget* w, const QString& text) {
    const auto* label = qobject_cast<QLabel*>(w);
    if (label && isRich(label)) {
        QTextDocument document;
        document.setDefaultFont(w->font());
        document.setDocumentMargin(0);
        document.setHtml(text);
        return int(std::ceil(document.idealWidth()));
    }
    return w->fontMetrics().horizontalAdvance(text);
}

// A tab bar shows every tab whole, its caption included, with no scroll arrows to reach one.
void tabBarFaults(const QTabBar* bar, const QString& where, QStringList& faults) {
    for (const QToolButton* arrow : bar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
        if (arrow->isVisibleTo(bar)) {
            faults.append(where + QStringLiteral(" needs scroll arrows"));
            break;
        }
    }
    const bool horizontal =
        bar->shape() == QTabBar::RoundedNorth || bar->shape() == QTabBar::RoundedSouth ||
        bar->shape() == QTabBar::TriangularNorth || bar->shape() == QTabBar::TriangularSouth;
    const int length = horizontal ? bar->width() : bar->height();
    for (int i = 0; i < bar->count(); ++i) {
        if (!bar->isTabVisible(i))
            continue;
        const QRect tab = bar->tabRect(i);
        const QString text = bar->tabText(i).remove(u'&');
        const int start = horizontal ? tab.left() : tab.top();
        const int room = horizontal ? tab.width() : tab.height();
        if (start < 0 || start + room > length)
            faults.append(where + QStringLiteral(" tab \"%1\" is out of the bar").arg(text));
        const int needed = bar->fontMetrics().horizontalAdvance(text);
        if (room < needed)
            faults.append(where + QStringLiteral(" tab \"%3\" is cut: %1 px for %2 px")
                                      .arg(room)
                                      .arg(needed)
                                      .arg(text));
    }
}

// Every visible section of a table's or list's header has room for its whole caption.
void headerFaults(QWidget* window, const QString& name, QStringList& faults) {
    for (const QHeaderView* header : window->findChildren<QHeaderView*>()) {
        if (!header->isVisibleTo(window) || !header->model())
            continue;
        const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        const bool horizontal = header->orientation() == Qt::Horizontal;
        for (int i = 0; i < header->count(); ++i) {
            if (header->isSectionHidden(i) || header->sectionSize(i) == 0)
                continue;
            const QString text = header->model()->headerData(i, header->orientation()).toString();
            const int needed = header->fontMetrics().horizontalAdvance(text) + 2 * margin;
            const int room = horizontal ? header->sectionSize(i) : header->width();
            if (room < needed)
                faults.append(QStringLiteral("%1.%2 heading \"%3\" is cut: %4 px for %5 px")
                                  .arg(name, header->parentWidget()->objectName(), text)
                                  .arg(room)
                                  .arg(needed));
        }
    }
}

// Along one direction: inside the area, or, when longer than the area, starting at its edge.
bool fitsAlong(int start, int length, int areaLength) {
    return length <= areaLength ? start >= 0 && start + length <= areaLength : start == 0;
}

} // namespace

QStringList workspaceFaults(QWidget* window, const QString& name) {
    auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    if (!frame || !frame->mdiArea())
        return {};
    const QRect area = frame->mdiArea()->viewport()->rect();
    const QRect place = frame->geometry();
    if (fitsAlong(place.x(), place.width(), area.width()) &&
        fitsAlong(place.y(), place.height(), area.height()))
        return {};
    return {QStringLiteral("%1 lies outside the workspace: at %2,%3 size %4x%5 in %6x%7")
                .arg(name)
                .arg(place.x())
                .arg(place.y())
                .arg(place.width())
                .arg(place.height())
                .arg(area.width())
                .arg(area.height())};
}

QStringList readabilityFaults(QWidget* window, const QString& name) {
    QStringList faults = workspaceFaults(window, name);
    const QString testFont = qEnvironmentVariable("KRV_TEST_FONT");
    if (!testFont.isEmpty() && QFontInfo(window->font()).family() != testFont)
        faults.append(name + QStringLiteral(" shows %1, not the test font %2")
                                 .arg(QFontInfo(window->font()).family(), testFont));
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->parentWidget()->inherits("UpDown") ||
            w->parentWidget()->inherits("QAbstractScrollArea") || w->inherits("QScrollBar") ||
            w->parentWidget()->inherits("QTabBar"))
            continue;
        const QRect parent = w->parentWidget()->rect();
        if (!parent.intersects(w->geometry()))
            continue; // placed out of sight on purpose
        const QString where = name + u'.' + w->objectName();
        if (!parent.contains(w->geometry()))
            faults.append(where + QStringLiteral(" is cut"));
        if (const auto* bar = qobject_cast<QTabBar*>(w))
            tabBarFaults(bar, where, faults);
        const QString text = shownText(w);
        if (!text.isEmpty()) {
            const bool indicator = qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w);
            const int needed =
                textWidth(w, text) + (indicator ? 20 : 0) + (qobject_cast<QPushButton*>(w) ? 8 : 0);
            if (w->width() < needed)
                faults.append(where + QStringLiteral(" \"%3\" is cut: %1 px for %2 px")
                                          .arg(w->width())
                                          .arg(needed)
                                          .arg(text));
        }
        controls.append(w);
    }
    headerFaults(window, name, faults);
    for (QWidget* a : controls)
        for (QWidget* b : controls)
            if (a != b && a->parentWidget() == b->parentWidget() && !a->isAncestorOf(b) &&
                a->geometry().intersects(b->geometry()))
                faults.append(name + u'.' + a->objectName() + QStringLiteral(" covers ") +
                              b->objectName());
    return faults;
}

void checkReadable(QWidget* window, const QString& name) {
    // Layouts settle from posted events.
    QCoreApplication::processEvents();
    const QString out = qEnvironmentVariable("KRV_SCREENSHOTS");
    if (!out.isEmpty())
        window->grab().save(out + u'/' + name + QStringLiteral(".png"));
    const QStringList faults = readabilityFaults(window, name);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n  "))));
}

void checkInWorkspace(QWidget* window, const QString& name) {
    QVERIFY2(qobject_cast<QMdiSubWindow*>(window->parentWidget()),
             qPrintable(name + QStringLiteral(" is not in the workspace")));
    const QStringList faults = workspaceFaults(window, name);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

int panelDesignHeightTwips(const QString& layout, bool statusShown) {
    struct Design {
        const char* layout;
        int height;
        int tallHeight; // the status area shown
    };
    static constexpr Design designs[] = {
        {"MivraV2", 8930, 9700},  {"HT531B", 8930, 9700},  {"PelkoV1", 10380, 11000},
        {"HT539", 10100, 10800},  {"DruskV1", 8600, 9400}, {"Ovalt", 8600, 9400},
        {"YambleV3", 8800, 9700}, {"HC913B", 8800, 9700},  {"FRM_Zenth", 9800, 10600}};
    for (const Design& design : designs) {
        if (layout == QLatin1String(design.layout))
            return statusShown ? design.tallHeight : design.height;
    }
    return 0;
}

QString panelSizeFault(QWidget* panel, int designHeightTwips) {
    return designSizeFault(panel, panelDesignWidthTwips, designHeightTwips, 1.4, 1.1);
}

void checkPanelSize(QWidget* panel, int designHeightTwips) {
    const QString fault = panelSizeFault(panel, designHeightTwips);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void checkPanelSize(QWidget* panel, const QString& layout, bool statusShown) {
    const int height = panelDesignHeightTwips(layout, statusShown);
    QVERIFY2(height > 0, qPrintable(layout + QStringLiteral(" is no panel layout")));
    checkPanelSize(panel, height);
}

QString designSizeFault(QWidget* window, int widthTwips, int heightTwips, double widthFactor,
                        double heightFactor) {
    QWidget* outer = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    if (!outer)
        outer = window;
    const int maxWidth = int(widthFactor * widthTwips * window->logicalDpiX() / 1440.0);
    const int maxHeight = int(heightFactor * heightTwips * window->logicalDpiY() / 1440.0);
    if (outer->width() <= maxWidth && outer->height() <= maxHeight)
        return {};
    return QStringLiteral("%1 is %2x%3 px, more than %4x%5 px")
        .arg(window->objectName())
        .arg(outer->width())
        .arg(outer->height())
        .arg(maxWidth)
        .arg(maxHeight);
}

void checkNearDesignSize(QWidget* window, int widthTwips, int heightTwips) {
    // The bound is the design's at the platform's font; another font may need more room.
    if (qEnvironmentVariableIsSet("KRV_TEST_FONT") ||
        qEnvironmentVariableIsSet("KRV_TEST_POINT_SIZE"))
        return;
    const QString fault = designSizeFault(window, widthTwips, heightTwips, 1.15, 1.15);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

} // namespace krv::test
