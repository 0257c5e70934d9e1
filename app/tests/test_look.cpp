// What the main window looks like: the toolbar's own icons, drawn without
// reading an image file, and the month list's use of the window's width.
#include "app/tests/AppFixture.h"
#include "icons/KaneloIcons.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QStyle>
#include <QToolBar>
#include <QTreeView>

namespace {
// The strongest colour of an icon: a grey icon is what a disabled button looks like.
int strongestSaturation(const QImage& image)
{
    int best = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 200)
                best = std::max(best, c.hsvSaturation());
        }
    return best;
}

int strongestAlpha(const QImage& image)
{
    int best = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            best = std::max(best, image.pixelColor(x, y).alpha());
    return best;
}
}

class TestLook : public QObject {
    Q_OBJECT
private slots:
    void startReadsNoImageFile(); // first: the tests after it read image files
    void icons_data();
    void icons();
    void toolbarButtonsShowTheirIcons();
    void listTextColumnsShareTheWidth();
};

// Reading the first image file loads every image-format plugin; a start
// has no need of one.
void TestLook::startReadsNoImageFile()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {}));
    QVERIFY(f.start());
    const QImage shown = f.window()->grab().toImage();
    QVERIFY(!shown.isNull());
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QVERIFY(!maps.readAll().contains("imageformats"));
    // The chevrons of the overflow buttons are drawn instead.
    for (const auto icon : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        const QImage chevron = QApplication::style()->standardIcon(icon).pixmap(QSize(16, 16)).toImage();
        QCOMPARE(chevron.size(), QSize(16, 16));
        QCOMPARE(chevron.pixelColor(0, 0).alpha(), 0);
        QVERIFY(strongestAlpha(chevron) > 200);
    }
}

void TestLook::icons_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"exit", "new", "open", "save", "print-month", "print-year", "add", "change", "delete",
                             "categories", "graph-month", "graph-year", "day-summary", "category-summary", "calendar",
                             "calculator", "help"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestLook::icons()
{
    QFETCH(QString, name);
    const QByteArray latin = name.toLatin1();
    for (const auto& [scale, suffix] : {std::pair{1, ".png"}, std::pair{2, "@2x.png"}}) {
        const QImage image = kaneloIconImage(QLatin1StringView(latin), scale);
        QCOMPARE(image.size(), QSize(20, 20) * scale);
        QCOMPARE(image.devicePixelRatio(), qreal(scale));
        QVERIFY2(strongestSaturation(image) > 100, "looks disabled");
        // The compiled-in pixels are the drawn file's, byte order and alpha included.
        const QImage drawn(QStringLiteral(KANELO_ICON_SOURCE "/") + name + QLatin1String(suffix));
        QCOMPARE(image, drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
}

void TestLook::toolbarButtonsShowTheirIcons()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {}));
    QVERIFY(f.start());
    const QList<std::pair<const char*, const char*>> buttons{
        {"tbrExit", "exit"}, {"tbrNew", "new"},       {"tbrOpen", "open"},   {"tbrSave", "save"},
        {"tbrAdd", "add"},   {"tbrChange", "change"}, {"tbrDelete", "delete"}, {"tbrDaySummary", "day-summary"},
        {"tbrCategorySummary", "category-summary"},   {"tbrHelp", "help"}};
    QToolBar* bar = f.window()->tbrToolBar;
    for (const auto& [button, icon] : buttons) {
        const QAction* a = f.window()->findChild<QAction*>(QLatin1String(button));
        QVERIFY2(a && bar->actions().contains(const_cast<QAction*>(a)), button);
        QVERIFY2(a->isEnabled(), button);
        const QImage shown = a->icon().pixmap(QSize(20, 20)).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage own = kaneloIconImage(QLatin1StringView(icon), 1).convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(shown == own, button);
    }
}

void TestLook::listTextColumnsShareTheWidth()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {}));
    QVERIFY(f.start());
    QTreeView* list = f.views()->lvwMonth;
    auto widths = [list] {
        QList<int> w;
        for (int c = 0; c < 6; ++c)
            w << list->columnWidth(c);
        return w;
    };
    f.window()->resize(900, 600);
    QTRY_COMPARE(list->header()->length(), list->viewport()->width());
    const QList<int> narrow = widths();
    f.window()->resize(1200, 600);
    QTRY_COMPARE(list->header()->length(), list->viewport()->width());
    const QList<int> wide = widths();
    for (int c : {0, 3, 4, 5})
        QCOMPARE(wide[c], narrow[c]);
    const int grown = wide[1] - narrow[1];
    QCOMPARE(grown, 150);
    QCOMPARE(wide[2] - narrow[2], 150);
}

QTEST_MAIN(TestLook)
#include "test_look.moc"
