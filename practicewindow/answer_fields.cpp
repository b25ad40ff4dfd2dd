#include "practicewindow/answer_fields.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMimeData>
#include <QTextCursor>
#include <QToolTip>
#include <QValidator>

#include "course/answer_type.h"
#include "practice/answer_text.h"

namespace qv {

namespace {

// Drops the halves of characters the field's length cut in two (an emoji in
// a one-character field); true when there were any.
bool DropHalfCharacters(QString& input, int& pos) {
    bool dropped = false;
    for (int i = static_cast<int>(input.size()) - 1; i >= 0; --i) {
        const QChar c = input.at(i);
        const bool paired = (c.isHighSurrogate() && i + 1 < input.size() && input.at(i + 1).isLowSurrogate()) ||
                            (c.isLowSurrogate() && i > 0 && input.at(i - 1).isHighSurrogate());
        if (!c.isSurrogate() || paired) continue;
        input.remove(i, 1);
        if (pos > i) --pos;
        dropped = true;
    }
    return dropped;
}

// Rewrites the line to what can be stored; tells the pupil when something was left out.
class StorableValidator : public QValidator {
public:
    explicit StorableValidator(AnswerLine* field) : QValidator(field), field_(field) {}
    State validate(QString& input, int& pos) const override {
        if (DropHalfCharacters(input, pos)) field_->tip().Tell(RefusedWords());
        // A blank would take the only place of a one-character answer (an option number).
        if (field_->maxLength() == 1 && input.trimmed() != input) {
            input = input.trimmed();
            pos = std::min(pos, static_cast<int>(input.size()));
        }
        // The field has already cut what went past its length (a long paste).
        if (field_->maxLength() > 1 && input.size() >= field_->maxLength())
            field_->tip().Tell(CutWords(field_->maxLength()));
        if (IsStorableAnswer(input.toStdString())) return Acceptable;
        const KeptText before = KeepStorable(input.left(pos));
        const KeptText all = KeepStorable(input);
        input = all.text;
        pos = std::min(static_cast<int>(before.text.size()), static_cast<int>(input.size()));
        if (all.refused) field_->tip().Tell(RefusedWords());
        return Acceptable;
    }

private:
    AnswerLine* field_;
};

bool IsEnter(const QKeyEvent* event) { return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter; }

}  // namespace

KeptText KeepStorable(const QString& text, int room) {
    KeptText kept;
    // A letter and its accent typed or pasted apart ("e" and a combining
    // acute) become the one letter the code page holds (an e with its acute).
    QString flat = text.normalized(QString::NormalizationForm_C);
    // A word copied with its line break: the break goes; breaks inside become spaces,
    // and so do tabs (words copied from a table), so that words are never run together.
    while (flat.endsWith(QLatin1Char('\n')) || flat.endsWith(QLatin1Char('\r'))) flat.chop(1);
    flat.replace(QLatin1String("\r\n"), QLatin1String(" "));
    flat.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    flat.replace(QLatin1Char('\t'), QLatin1Char(' '));
    // Only as much as can fit is looked at, so a huge paste costs nothing.
    if (room >= 0 && flat.size() > room * 2 + 16) {
        flat.truncate(room * 2 + 16);
        kept.cut = true;
    }
    const std::string utf8 = flat.toStdString();
    const std::string storable = StorableAnswer(utf8);
    kept.refused = storable.size() != utf8.size() && !IsStorableAnswer(utf8);
    kept.text = QString::fromStdString(storable);
    if (room >= 0 && kept.text.size() > room) {
        kept.text.truncate(room);
        if (kept.text.size() && kept.text.back().isHighSurrogate()) kept.text.chop(1);
        kept.cut = true;
    }
    return kept;
}

QString RefusedWords() {
    return QStringLiteral("Some characters cannot be saved in an answer (\u201c>\u201d, emoji and letters of other "
                          "alphabets), so they were left out.");
}

QString CutWords(int limit) {
    return QStringLiteral("An answer here holds at most %1 characters, so the rest was left out.")
        .arg(QLocale().toString(limit));
}

void TellBesideField(QWidget* field, const QString& words) {
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), words, field, {}, 6000);
}

void FieldTip::Tell(const QString& words) {
    if (told_.contains(words)) return;
    told_.append(words);
    TellBesideField(field_, words);
}

AnswerLine::AnswerLine(QWidget* parent) : QLineEdit(parent) {
    setValidator(new StorableValidator(this));
    setFrame(false);
}

void AnswerLine::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event)) {
        if (onEnter) onEnter();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

AnswerBox::AnswerBox(QWidget* parent) : QPlainTextEdit(parent) {
    setFrameShape(QFrame::NoFrame);
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int AnswerBox::Room() const {
    const QTextCursor cursor = textCursor();
    const int selected = cursor.selectionEnd() - cursor.selectionStart();
    return std::max(0, kSentenceMaxLength - (document()->characterCount() - 1) + selected);
}

bool AnswerBox::InsertKept(const QString& text) {
    if (isReadOnly()) return false;  // a locked field takes nothing, typed, pasted or composed
    const KeptText kept = KeepStorable(text, Room());
    if (kept.cut) tip_.Tell(CutWords(kSentenceMaxLength));
    else if (kept.refused) tip_.Tell(RefusedWords());
    if (kept.text.isEmpty()) return false;
    insertPlainText(kept.text);
    return true;
}

void AnswerBox::keyPressEvent(QKeyEvent* event) {
    // One line of text: Enter goes on to the next field.
    if (IsEnter(event)) {
        if (onEnter) onEnter();
        return;
    }
    // Typed characters go in as pasted ones do (a character of two halves included).
    const QString text = event->text();
    const bool typed = !text.isEmpty() && text.at(0).unicode() >= 0x20 && text.at(0).unicode() != 0x7F;
    if (typed && !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        InsertKept(text);
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void AnswerBox::inputMethodEvent(QInputMethodEvent* event) {
    if (event->commitString().isEmpty()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    const QString commit = event->commitString();
    QInputMethodEvent rest(event->preeditString(), event->attributes());
    rest.setCommitString(QString(), event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&rest);
    InsertKept(commit);
}

bool AnswerBox::canInsertFromMimeData(const QMimeData* source) const { return source->hasText(); }

void AnswerBox::insertFromMimeData(const QMimeData* source) {
    if (source->hasText()) InsertKept(source->text());
}

}  // namespace qv
