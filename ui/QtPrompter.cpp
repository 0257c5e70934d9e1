#include "ui/QtPrompter.h"

#include "ledger/LedgerRules.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTextLayout>
#include <QTreeView>
#include <cmath>

const QString QtPrompter::kTitle = QStringLiteral("Kanelo Y -ぽるもさん!?");

namespace {
// The texts carry CR LF line ends; Qt's labels want LF.
QString shown(const QString& text)
{
    QString t = text;
    return t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QString titleOr(const QString& title) { return title.isEmpty() ? QtPrompter::kTitle : title; }

// A line broken to a width as a label breaks it: Japanese between any two
// characters (never before "。"), other text at spaces, a word too long for
// the width anywhere.
QStringList breakLine(const QString& line, const QFont& font, double width)
{
    QTextLayout layout(line, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList parts;
    layout.beginLayout();
    for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
        l.setLineWidth(width);
        QString part = line.mid(l.textStart(), l.textLength());
        // The space a line was broken at stays behind.
        while (part.endsWith(QLatin1Char(' ')))
            part.chop(1);
        parts << part;
    }
    layout.endLayout();
    return parts;
}

// Message boxes break long lines themselves at a width of their own, which
// in Japanese leaves a word's last character and its "。" alone on a line.
// The box rather gets the width of its longest line, up to about fifty
// characters; longer lines are broken here, at the widest width up to forty
// characters at which every line's last part keeps a third of a line.
void fitMessage(QMessageBox& box, const QWidget* owner)
{
    box.setTextFormat(Qt::PlainText);
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return;
    const QFont font = label->font();
    const QFontMetricsF fm(font);
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    // The box's own limit on its width, less its icon and margins.
    const int boxLimit = (screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000)) - 140;
    const double fullWidth = fm.horizontalAdvance(QChar(0x3042));
    const double limit = std::max(200.0, std::min(double(boxLimit), 40 * fullWidth));

    const QStringList lines = box.text().split(QLatin1Char('\n'));
    double widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, fm.horizontalAdvance(line));
    if (widest <= std::min(double(boxLimit), 50 * fullWidth)) {
        label->setMinimumWidth(int(std::ceil(widest)) + 2);
        return;
    }
    const auto tailsKept = [&](double width) {
        for (const QString& line : lines)
            if (fm.horizontalAdvance(line) > width && fm.horizontalAdvance(breakLine(line, font, width).constLast()) < width / 3)
                return false;
        return true;
    };
    double width = limit;
    for (double w = limit; w >= limit * 0.6; w -= fm.averageCharWidth())
        if (tailsKept(w)) {
            width = w;
            break;
        }
    QStringList broken;
    widest = 0;
    for (const QString& line : lines)
        for (const QString& part : fm.horizontalAdvance(line) > width ? breakLine(line, font, width) : QStringList{line}) {
            broken << part;
            widest = std::max(widest, fm.horizontalAdvance(part));
        }
    box.setText(broken.join(QLatin1Char('\n')));
    label->setMinimumWidth(int(std::ceil(widest)) + 2);
}

QMessageBox::Icon boxIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::Information: return QMessageBox::Information;
    case Prompter::Icon::Warning: return QMessageBox::Warning;
    case Prompter::Icon::Question: return QMessageBox::Question;
    case Prompter::Icon::Critical: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}
}

QWidget* QtPrompter::owner() const
{
    // The window in front owns the box, so that it shows over that window:
    // a modal dialog, or a tool window that stays on top (under it the box
    // would be hidden).
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return owner_ && owner_->isVisible() ? owner_.data() : nullptr;
}

void QtPrompter::message(const QString& text, Icon icon, const QString& title)
{
    QMessageBox box(boxIcon(icon), titleOr(title), shown(text), QMessageBox::Ok, owner());
    fitMessage(box, box.parentWidget());
    box.exec();
}

Prompter::Answer QtPrompter::question(const QString& text, Buttons buttons, const QString& title, Answer defaultAnswer)
{
    const bool cancel = buttons == Buttons::YesNoCancel;
    QMessageBox box(QMessageBox::Question, titleOr(title), shown(text),
                    cancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel : QMessageBox::Yes | QMessageBox::No,
                    owner());
    fitMessage(box, box.parentWidget());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
    if (cancel)
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
    box.setEscapeButton(cancel ? QMessageBox::Cancel : QMessageBox::No);
    if (defaultAnswer == Answer::Yes)
        box.setDefaultButton(QMessageBox::Yes);
    else
        box.setDefaultButton(defaultAnswer == Answer::Cancel && cancel ? QMessageBox::Cancel : QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return cancel ? Answer::Cancel : Answer::No;
    }
}

QString QtPrompter::input(const QString& prompt, const QString& title, const QString& defaultText)
{
    QInputDialog box(owner());
    box.setWindowTitle(titleOr(title));
    box.setLabelText(shown(prompt));
    box.setTextValue(defaultText);
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("キャンセル"));
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

namespace {
// Qt's own chooser leaves the date column too narrow for its text: the size,
// type and date columns get the width their texts need, the name the rest.
void fitColumns(QFileDialog& box)
{
    box.resize(std::max(box.width(), 780), std::max(box.height(), 460));
    // The places on the left ("コンピューター") in full.
    if (auto* sidebar = box.findChild<QWidget*>(QStringLiteral("sidebar"))) {
        if (auto* splitter = box.findChild<QSplitter*>(QStringLiteral("splitter"))) {
            const int left = sidebar->fontMetrics().horizontalAdvance(QStringLiteral("コンピューター")) + 56;
            splitter->setSizes({left, std::max(box.width() - left, left)});
        }
    }
    auto* tree = box.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!tree)
        return;
    const QFontMetrics fm(tree->font());
    const int pad = fm.horizontalAdvance(QLatin1Char('M')) * 2;
    QHeaderView* header = tree->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    // The chooser writes sizes and dates in the system's language.
    const QLocale system = QLocale::system();
    const QString date = system.toString(QDateTime(QDate(2026, 12, 28), QTime(23, 59, 59)), QLocale::ShortFormat);
    const int widths[] = {fm.horizontalAdvance(system.formattedDataSize(999999)),
                          fm.horizontalAdvance(QStringLiteral("平文テキストドキュメント")), fm.horizontalAdvance(date)};
    for (int c = 1; c <= 3; ++c) {
        header->setSectionResizeMode(c, QHeaderView::Interactive);
        header->resizeSection(c, std::max(header->sectionSizeHint(c), widths[c - 1]) + pad);
    }
}
}

QString QtPrompter::runFileDialog(QFileDialog& box, const QStringList& filters)
{
    fitColumns(box);
    QStringList nameFilters;
    for (const QString& f : filters) {
        const QString caption = f.section(QLatin1Char('|'), 0, 0);
        const QString pattern = f.section(QLatin1Char('|'), 1);
        // The dialog takes the patterns from the last parentheses of a filter.
        nameFilters << (caption.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))
                            ? caption
                            : caption + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    box.setNameFilters(nameFilters);
    if (!nameFilters.isEmpty())
        box.selectNameFilter(nameFilters.first());
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return {};
    return box.selectedFiles().first();
}

QString QtPrompter::openFile(const QString& title, const QStringList& filters, const QString& folder)
{
    QFileDialog box(owner(), titleOr(title), folder);
    box.setFileMode(QFileDialog::ExistingFile);
    box.setAcceptMode(QFileDialog::AcceptOpen);
    return runFileDialog(box, filters);
}

QString QtPrompter::saveFile(const QString& title, const QStringList& filters, const QString& path)
{
    QFileDialog box(owner(), titleOr(title), path);
    box.setFileMode(QFileDialog::AnyFile);
    box.setAcceptMode(QFileDialog::AcceptSave);
    const QString suffix = filters.isEmpty() ? QString() : filters.first().section(QLatin1Char('|'), 1).section(QLatin1Char('.'), -1);
    if (!suffix.isEmpty() && !suffix.contains(QLatin1Char('*')))
        box.setDefaultSuffix(suffix);
    return runFileDialog(box, filters);
}

std::optional<quint32> QtPrompter::chooseColor(quint32 initial)
{
    const QColor start = QColor::fromRgb(LedgerRules::rgbOfColour(initial));
    const QColor c = QColorDialog::getColor(start, owner());
    if (!c.isValid())
        return std::nullopt;
    return LedgerRules::colourOfRgb(c.red(), c.green(), c.blue());
}
