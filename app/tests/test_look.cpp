// What the main window looks like: the toolbar's own icons and the month
// list's use of the window's width.
#include "AppFixture.h"

#include <QAction>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
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
}

class TestLook : public QObject {
    Q_OBJECT
private slots:
    void icons_data();
    void icons();
    void toolbarButtonsShowTheirIcons();
    void listTextColumnsShareTheWidth();
};

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
    for (const auto& [file, size] : {std::pair{QStringLiteral(":/icons/%1.png"), 20}, std::pair{QStringLiteral(":/icons/%1@2x.png"), 40}}) {
        const QImage image(file.arg(name));
        QCOMPARE(image.size(), QSize(size, size));
        QVERIFY2(strongestSaturation(image) > 100, "looks disabled");
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
        const QImage own = QImage(QStringLiteral(":/icons/%1.png").arg(QLatin1String(icon))).convertToFormat(QImage::Format_ARGB32);
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
