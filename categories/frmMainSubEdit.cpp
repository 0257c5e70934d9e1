// The category editor's commands: checking the fields, adding, changing and
// deleting categories and sub-items.
#include "categories/frmMainSub.h"

#include "ledger/LedgerRules.h"
#include "categories/ColourSwatch.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "ledger/LineText.h"
#include "categories/NumberedNames.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeView>

namespace {
const QString kNoName = QStringLiteral("費目名が未入力です。");
const QString kNoSubName = QStringLiteral("摘要項目名が未入力です。");

QString sameCategoryName(const QString& no)
{
    return QStringLiteral("同一名称の費目がすでに存在します。(費目番号：") + no + QStringLiteral("）");
}

QString sameSubName(const QString& no)
{
    return QStringLiteral("同一名称の摘要項目がすでに存在しています。(摘要項目番号：") + no + QStringLiteral(")");
}
}

QString frmMainSub::mainName() const { return trimSpaces(txtMain->text()); }
QString frmMainSub::subName() const { return trimSpaces(txtSub->text()); }

bool frmMainSub::acceptableName(const QString& name, bool isCategory)
{
    const QString fault = LedgerModel::masterNameFault(name, isCategory);
    if (fault.isEmpty())
        return true;
    model_.prompter().message((isCategory ? QStringLiteral("この費目名は登録できません。\r\n\r\n")
                                          : QStringLiteral("この摘要項目名は登録できません。\r\n\r\n"))
                                  + fault,
                              Prompter::Icon::Warning, isCategory ? QStringLiteral("費目名不正") : QStringLiteral("摘要項目名不正"));
    return false;
}

bool frmMainSub::ValidateCategory(int mode)
{
    auto refuse = [this](const QString& text, const QString& title) {
        model_.prompter().message(text, Prompter::Icon::Warning, title);
        return false;
    };
    const QString name = mainName();
    if (name.isEmpty())
        return refuse(kNoName, QStringLiteral("費目名未入力"));
    if (!acceptableName(name, true))
        return false;
    // Only adding makes one more; a full list still takes changes.
    if (mode == 0 && mainRows->count() >= 99)
        return refuse(QStringLiteral("登録可能な費目数は [99] です。"), QStringLiteral("費目数オーバー"));

    const QString selectedNo = lblMainNo->text();
    if (mode == 0) {
        if (const int r = mainRows->findName(name); r >= 0)
            return refuse(sameCategoryName(mainRows->row(r).no), QStringLiteral("費目名重複"));
    } else {
        const auto old = model_.category(selectedNo);
        if (!old || name != old->name) {
            const auto other = model_.categoryNamed(name);
            if (other && other->no != selectedNo)
                return refuse(sameCategoryName(other->no), QStringLiteral("費目名重複"));
        }
    }

    if (!colourIsFree(lblMain->colour(), mode == 1 ? selectedNo : QString()))
        return false;

    const LedgerRules::BudgetCheck budget = LedgerRules::checkBudget(txtLimit->text());
    return budget.value || refuse(budget.fault, budget.title);
}

bool frmMainSub::colourIsFree(quint32 colour, const QString& ownNo)
{
    const QString fault = LedgerRules::colourTakenFault(model_.categoryList(), colour, ownNo);
    if (!fault.isEmpty())
        model_.prompter().message(fault, Prompter::Icon::Warning, LedgerRules::kColourTakenTitle);
    return fault.isEmpty();
}

// ---- categories ----

namespace {
// A category made from the fields, holding the sub-items the list shows.
std::shared_ptr<clsHimoku> categoryFrom(const QString& no, const QString& name, quint32 colour, qint32 limit, int ioflag,
                                        const NumberedNames& subs)
{
    auto c = std::make_shared<clsHimoku>();
    c->no = no;
    c->name = name;
    c->color = colour;
    c->limit = limit;
    c->ioflag = ioflag;
    for (int i = 0; i < subs.count(); ++i)
        c->addsub(subs.row(i).no, subs.row(i).name);
    return c;
}
}

void frmMainSub::cmdNew_Click()
{
    if (!ValidateCategory(0))
        return;
    const QString no = LedgerRules::smallestFreeNumber(model_.categoryList());
    if (no.isEmpty())
        return;
    // Adding while a category is shown copies its sub-items, numbers included.
    const auto c = categoryFrom(no, mainName(), lblMain->colour(), *LedgerRules::budgetValue(txtLimit->text()),
                                optOut->isChecked() ? 1 : 2, *subRows);
    model_.AddCategory(c);
    filling_ = true;
    mainRows->append({no, c->name});
    filling_ = false;
    // The new category is the one shown: every sub-item command acts on it.
    lvwMain_Click(mainRows->count() - 1);
}

void frmMainSub::cmdChange_Click()
{
    const QString no = lblMainNo->text();
    const auto old = model_.category(no);
    if (!old || !ValidateCategory(1))
        return;
    const QString name = mainName();
    const qint32 limit = *LedgerRules::budgetValue(txtLimit->text());
    const int ioflag = optOut->isChecked() ? 1 : 2;
    // The number stays, so the entries that carry it follow a new name.
    model_.ReplaceCategory(no, categoryFrom(no, name, lblMain->colour(), limit, ioflag, *subRows));
    if (const int r = mainRows->findNo(no); r >= 0)
        mainRows->setName(r, name);
}

void frmMainSub::DeleteCategory()
{
    const int r = selectedMainRow();
    if (r < 0)
        return;
    // A master without a category cannot be read back: the next start would stop.
    if (mainRows->count() == 1) {
        model_.prompter().message(QStringLiteral("費目が 1 つしかないため、削除できません。\r\n\r\n"
                                                 "先に別の費目を追加してから削除して下さい。"),
                                  Prompter::Icon::Warning, QStringLiteral("費目 削除"));
        return;
    }
    const QString no = mainRows->row(r).no;
    const auto c = model_.category(no);
    const QString name = c ? c->name : mainRows->row(r).name;
    QString text = QStringLiteral("費目 [") + name + QStringLiteral("] を削除しますが、よろしいですか。");
    if (const int entries = model_.entriesOf(no.toInt()); entries > 0)
        text += QStringLiteral("\r\n\r\n%1 年度の家計簿データのうち %2 件にこの費目が付いています。\r\n"
                               "削除すると、これらのデータは表示されなくなり、家計簿データファイルにも保存されません。")
                    .arg(model_.curYear())
                    .arg(entries);
    if (model_.prompter().question(text, Prompter::Buttons::YesNo, QStringLiteral("費目 削除"), Prompter::Answer::No)
        != Prompter::Answer::Yes)
        return;
    model_.RemoveCategory(no);
    deleted_.insert(no.toInt());
    filling_ = true;
    mainRows->removeAt(r);
    filling_ = false;
    ClearCategoryFields();
}

// ---- sub-items ----

void frmMainSub::cmdAddsub_Click()
{
    Prompter& p = model_.prompter();
    const QString sub = subName();
    if (sub.isEmpty()) {
        p.message(kNoSubName, Prompter::Icon::Warning, QStringLiteral("摘要項目名未入力"));
        return;
    }
    if (mainName().isEmpty()) {
        p.message(kNoName, Prompter::Icon::Warning);
        return;
    }
    if (!model_.categoryNamed(mainName())) {
        p.message(QStringLiteral("この費目はまだ登録されていません。\r\n\r\n"
                                 "まず[新規追加]で費目を追加した後、摘要項目の追加を行って下さい。"),
                  Prompter::Icon::Warning, QStringLiteral("費目未登録"));
        txtSub->clear();
        return;
    }
    if (const int r = subRows->findName(sub); r >= 0) {
        p.message(sameSubName(subRows->row(r).no), Prompter::Icon::Warning, QStringLiteral("摘要項目名重複"));
        return;
    }
    const auto c = model_.category(lblMainNo->text());
    if (!c || !acceptableName(sub, false))
        return;
    const QString no = LedgerRules::smallestFreeNumber(c->nTekiyo);
    if (no.isEmpty()) {
        p.message(QStringLiteral("登録可能な摘要項目数は [99] です。"), Prompter::Icon::Warning,
                  QStringLiteral("摘要項目数オーバー"));
        return;
    }
    c->addsub(no, sub);
    filling_ = true;
    subRows->append({no, sub});
    filling_ = false;
    txtSub->clear();
}

void frmMainSub::cmdChangesub_Click()
{
    const QString no = lblSubNo->text();
    if (no.isEmpty())
        return;
    Prompter& p = model_.prompter();
    const QString sub = subName();
    if (sub.isEmpty()) {
        p.message(kNoSubName, Prompter::Icon::Warning, QStringLiteral("摘要項目名未入力"));
        return;
    }
    if (const int r = subRows->findName(sub); r >= 0) {
        p.message(sameSubName(subRows->row(r).no), Prompter::Icon::Warning, QStringLiteral("摘要項目名重複"));
        return;
    }
    const auto c = model_.category(lblMainNo->text());
    if (!c || !acceptableName(sub, false))
        return;
    const int i = c->nTekiyo.indexOf(no);
    if (i < 0)
        return;
    c->nTekiyo.at(i)->name = sub;
    c->sTekiyo.rekey(i, sub);
    if (const int r = subRows->findNo(no); r >= 0)
        subRows->setName(r, sub);
}

void frmMainSub::cmdDelsub_Click()
{
    const int r = selectedSubRow();
    if (subRows->count() == 0 || txtSub->text().isEmpty() || r < 0)
        return;
    Prompter& p = model_.prompter();
    if (!model_.categoryNamed(mainName())) {
        p.message(QStringLiteral("[費目名]が変更されている可能性があります。\r\n\r\n"
                                 "費目名の変更を行った後、摘要項目の削除を行って下さい。"),
                  Prompter::Icon::Warning, QStringLiteral("削除できません"));
        return;
    }
    const NumberedNames::Row row = subRows->row(r);
    if (p.question(QStringLiteral("摘要項目 [") + row.name + QStringLiteral("] を削除しますが、よろしいですか。"),
                   Prompter::Buttons::YesNo, QStringLiteral("摘要項目 削除"), Prompter::Answer::No)
        != Prompter::Answer::Yes)
        return;
    // Entries keep the number; the next sub-item added to this category takes it.
    if (const auto c = model_.category(lblMainNo->text())) {
        c->deleachsub(row.no, row.name);
        deletedSubs_.insert(c->no.toInt() * 100 + row.no.toInt());
    }
    filling_ = true;
    subRows->removeAt(r);
    lvwSub->selectionModel()->clear();
    filling_ = false;
    lblSubNo->clear();
    txtSub->clear();
}
