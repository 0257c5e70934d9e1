#pragma once

// A main-window stand-in for the entry dialog and edit command tests: the
// month views and the edit commands over a small category master, in a
// temporary program folder with "today" fixed at 2026-03-15.

#include "month/EditCommands.h"
#include "ledger/tests/FakePrompter.h"
#include "ledger/tests/LedgerTestData.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "month/MonthListModel.h"
#include "month/MonthViews.h"
#include "ledger/tests/TestHome.h"
#include "ledger/TextFile.h"
#include "month/frmData.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <memory>

// 01 食費 (expense; 外食, Lunch), 02 日用品 (expense), 03 給与 (income; 本給).
inline const char* kTestMaster = "C\n*\n\n"
                                 "0100食費:1:255:30000\n0101外食\n0102Lunch\n"
                                 "0200日用品:1:65280:0\n"
                                 "0300給与:2:16711680:0\n0301本給\n";

class EntryFixture {
public:
    explicit EntryFixture(int year = 2026, int month = 4)
    {
        home.writeText(QStringLiteral("MainSub.zbt"), QString::fromUtf8(kTestMaster));
        QVERIFY(model.ReadCategoryMaster(1));
        model.setStart(year, 3);
        model.setCurMonth(month);
        auto* layout = new QVBoxLayout(&window);
        views = new MonthViews(model, &window);
        layout->addWidget(views->centre);
        layout->addWidget(views->sbrStatus);
        edit = new EditCommands(model, *views, &window);
        dialog = edit->dataDialog();
        window.resize(900, 600);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    TestHome home;
    FakePrompter prompter;
    LedgerModel model{prompter};
    QWidget window;
    MonthViews* views = nullptr;
    EditCommands* edit = nullptr;
    frmData* dialog = nullptr;

    // Files an entry straight into its slot, as the year file loader does.
    EntryId seed(const QString& date, const QString& category, const QString& sub, qint32 amount)
    {
        Entry e;
        e.setDate(date);
        e.setCategory(category);
        e.setSub(sub);
        const auto c = model.category(category);
        (!c || c->ioflag == 1 ? e.out : e.in) = amount;
        e.id = model.nextEntryId();
        MonthSlot& s = LedgerInternals::slot(model, e.month());
        s.entries.push_back(e);
        s.totalOut += e.out;
        s.totalIn += e.in;
        return e.id;
    }
    void show() { views->RefreshMonthView(); }

    MonthListModel& rows() const { return *views->monthRows; }
    QStringList column(int c) const
    {
        QStringList out;
        for (int r = 0; r < rows().count(); ++r)
            out << rows().cell(r, c);
        return out;
    }
    int rowOf(EntryId id) const { return rows().findEntry(id, 1); }
    QString panel(int n) const { return views->statusPanel[n - 1]->text(); }
    QString masterText() const { return TextFile::decode(home.readBytes(QStringLiteral("MainSub.zbt"))); }

    // Runs `steps` while the modal entry dialog opened by `open` is shown.
    // False when the dialog did not open. A dialog left open is closed so
    // that a failing test never hangs.
    bool whileOpen(const std::function<void()>& open, const std::function<void()>& steps)
    {
        bool opened = false;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            opened = dialog->isVisible();
            if (opened)
                steps();
            if (dialog->isVisible()) {
                QTest::qFail("the entry dialog stayed open", __FILE__, __LINE__);
                dialog->done(QDialog::Rejected);
            }
        });
        timer.start(0);
        open();
        timer.stop();
        return opened;
    }
    bool whileAdding(const std::function<void()>& steps)
    {
        return whileOpen([this] { edit->mnuEditItem(0); }, steps);
    }

    // Typing into the dialog as a user does.
    void typeDate(const QString& date) const
    {
        dialog->txtDate->clear();
        QTest::keyClicks(dialog->txtDate, date);
    }
    void choose(const QString& category) const
    {
        const int i = dialog->cmbMain->findText(category);
        QVERIFY2(i >= 0, qPrintable(category));
        dialog->cmbMain->setCurrentIndex(i);
    }
    // Japanese reaches a field as the input method's committed text.
    void typeSub(const QString& sub) const
    {
        dialog->txtSub->clear();
        const bool ascii = std::all_of(sub.begin(), sub.end(), [](QChar c) { return c.unicode() < 128; });
        if (ascii) {
            QTest::keyClicks(dialog->txtSub, sub);
            return;
        }
        QInputMethodEvent commit;
        commit.setCommitString(sub);
        QCoreApplication::sendEvent(dialog->txtSub, &commit);
    }
    // Keys into the amount field; "\n" stands for Enter.
    void typeMoney(const QString& keys) const
    {
        for (const QChar c : keys) {
            if (c == QLatin1Char('\n')) {
                QTest::keyClick(dialog->txtMoney, Qt::Key_Return);
            } else if (c.unicode() < 128) {
                QTest::keyClicks(dialog->txtMoney, QString(c));
            } else { // 万, 千 or a full-width digit, as a keyboard layout sends it
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                QCoreApplication::sendEvent(dialog->txtMoney, &press);
            }
        }
    }
    // One complete entry, confirmed with OK; a missing sub-item is accepted.
    void addOne(const QString& date, const QString& category, const QString& sub, const QString& amount)
    {
        typeDate(date);
        choose(category);
        typeSub(sub);
        typeMoney(amount);
        if (sub.trimmed().isEmpty())
            prompter.answers.enqueue(Prompter::Answer::Yes);
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    }
};

inline QByteArray cp932(const QString& text)
{
    QByteArray b;
    TextFile::encode(text, b);
    return b;
}
