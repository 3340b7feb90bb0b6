#include "platform/msgbox/MsgBoxDialog.h"

#include "platform/forms/TitleBar.h"
#include "platform/msgbox/MsgBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QList>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <utility>

namespace platform {

namespace {

using Button = QMessageBox::StandardButton;

struct ButtonSet {
    QList<Button> buttons; // left to right, as the style names them
    Button escape;         // QMessageBox::NoButton: the box cannot be escaped
};

// Buttons by the buttons part of the style; unknown values show OK alone.
ButtonSet buttonSet(int style)
{
    switch (style & MsgBoxButtonsMask) {
    case vbOKCancel:
        return {{QMessageBox::Ok, QMessageBox::Cancel}, QMessageBox::Cancel};
    case vbAbortRetryIgnore:
        return {{QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore},
                QMessageBox::NoButton};
    case vbYesNoCancel:
        return {{QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}, QMessageBox::Cancel};
    case vbYesNo:
        return {{QMessageBox::Yes, QMessageBox::No}, QMessageBox::NoButton};
    case vbRetryCancel:
        return {{QMessageBox::Retry, QMessageBox::Cancel}, QMessageBox::Cancel};
    default:
        return {{QMessageBox::Ok}, QMessageBox::Ok};
    }
}

QMessageBox::Icon iconOf(int style)
{
    switch (style & MsgBoxIconMask) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int answerOf(Button button)
{
    switch (button) {
    case QMessageBox::Ok:
        return vbOK;
    case QMessageBox::Abort:
        return vbAbort;
    case QMessageBox::Retry:
        return vbRetry;
    case QMessageBox::Ignore:
        return vbIgnore;
    case QMessageBox::Yes:
        return vbYes;
    case QMessageBox::No:
        return vbNo;
    default:
        return vbCancel;
    }
}

// A box without an escape button ignores Escape and the close button, where
// QMessageBox would otherwise pick No or Abort for them.
class StyledBox final : public QMessageBox {
public:
    StyledBox(Icon icon, const QString& title, const QString& text, QWidget* parent, bool escapable)
        : QMessageBox(icon, title, text, NoButton, parent), escapable_(escapable)
    {
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!escapable_ && event->matches(QKeySequence::Cancel))
            return;
        QMessageBox::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override
    {
        if (!escapable_) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

private:
    bool escapable_;
};

// The widest line the box is given, in pixels: names longer than this are
// broken before the box would have to cut them.
constexpr int LongestLine = 450;

// The pieces of word, each ending after a path separator ("\\" or "/"), the
// last one after its last separator.
QStringList PathPieces(const QString& word)
{
    QStringList pieces;
    qsizetype start = 0;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (word.at(i) == QLatin1Char('\\') || word.at(i) == QLatin1Char('/')) {
            pieces.append(word.mid(start, i + 1 - start));
            start = i + 1;
        }
    }
    if (start < word.size())
        pieces.append(word.mid(start));
    return pieces;
}

// text with each line that holds a word wider than LongestLine broken into
// lines that fit it: at blanks, and inside such a word after its path
// separators. Other lines are left to the box, which wraps them at blanks.
QString BreakLongNames(const QString& text, const QFontMetrics& metrics)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        const QStringList words = line.split(QLatin1Char(' '));
        const bool tooWide = std::any_of(words.begin(), words.end(), [&](const QString& word) {
            return metrics.horizontalAdvance(word) > LongestLine;
        });
        if (!tooWide)
            continue;
        QStringList broken;
        QString current;
        for (qsizetype w = 0; w < words.size(); ++w) {
            const QStringList pieces = metrics.horizontalAdvance(words.at(w)) > LongestLine
                                           ? PathPieces(words.at(w))
                                           : QStringList{words.at(w)};
            for (qsizetype p = 0; p < pieces.size(); ++p) {
                const QString joint = (p == 0 && w > 0) ? QStringLiteral(" ") : QString();
                if (!current.isEmpty() &&
                    metrics.horizontalAdvance(current + joint + pieces.at(p)) > LongestLine) {
                    broken.append(current);
                    current = pieces.at(p);
                } else {
                    current += joint + pieces.at(p);
                }
            }
        }
        broken.append(current);
        line = broken.join(QLatin1Char('\n'));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

namespace {

// The box of prompt, style and title, over the active window, not yet shown.
StyledBox* BuildBox(const QString& prompt, int style, const QString& title, QWidget* parent)
{
    const ButtonSet set = buttonSet(style);
    QString text = prompt;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));

    auto* box = new StyledBox(iconOf(style),
                              title.isEmpty() ? QGuiApplication::applicationDisplayName() : title,
                              text, parent, set.escape != QMessageBox::NoButton);
    box->setTextFormat(Qt::PlainText);
    box->setText(BreakLongNames(text, QFontMetrics(box->font())));
    for (Button b : set.buttons)
        box->addButton(b);
    // Qt widens a box for its title as its own small title font needs; the
    // desktop's title bar may need more. The row of buttons spans the box.
    if (auto* buttons = box->findChild<QDialogButtonBox*>()) {
        const QMargins margins = box->layout()->contentsMargins();
        buttons->setMinimumWidth(TitleBarWidth(box->windowTitle()) - margins.left() -
                                 margins.right());
    }
    // A default beyond the last button falls back to the first.
    qsizetype defaultIndex = (style & MsgBoxDefaultMask) / vbDefaultButton2;
    if (defaultIndex >= set.buttons.size())
        defaultIndex = 0;
    box->setDefaultButton(set.buttons[defaultIndex]);
    if (set.escape != QMessageBox::NoButton)
        box->setEscapeButton(set.escape);
    else
        box->setWindowFlag(Qt::WindowCloseButtonHint, false);
    return box;
}

// How long a notice stays unless it is closed before.
constexpr int NoticeMs = 15000;

} // namespace

int MsgBoxDialog(const QString& prompt, int style, const QString& title)
{
    // Never over a window that goes by itself (a notice): it would take the
    // box with it while the box still waits for its answer.
    QWidget* over = QApplication::activeWindow();
    if (over != nullptr && over->testAttribute(Qt::WA_DeleteOnClose))
        over = nullptr;
    std::unique_ptr<StyledBox> box(BuildBox(prompt, style, title, over));
    box->exec();
    QAbstractButton* clicked = box->clickedButton();
    return clicked ? answerOf(box->standardButton(clicked)) : vbCancel;
}

void NoticeDialog(const QString& prompt, int style, const QString& title)
{
    // An OK box only: a notice asks nothing.
    StyledBox* box =
        BuildBox(prompt, style & ~(MsgBoxButtonsMask | MsgBoxDefaultMask), title, nullptr);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    QTimer::singleShot(NoticeMs, box, &QWidget::close);
    box->show();
}

void InstallMsgBoxDialog()
{
    SetMsgBoxHandler(MsgBoxDialog);
    SetNoticeHandler(NoticeDialog);
}

} // namespace platform
