#pragma once

// The fields a pupil types answers into. What the answers file cannot hold
// ('>', line breaks, tabs, characters outside its code page) never gets in,
// whether it is typed, pasted, dropped or comes from an input method: a
// line break becomes a space, a typographic character its keyboard form,
// anything else is left out, and the pupil is told beside the field. So
// what a field shows is always what is saved.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
#include <functional>

namespace qv {

// Text on its way into a field, made storable and cut to `room` characters
// (a negative room: no cut). `refused` says that something was left out.
struct KeptText {
    QString text;
    bool refused = false;  // a character that cannot be stored
    bool cut = false;      // more than the room
};
KeptText KeepStorable(const QString& text, int room = -1);

// The words beside a field that kept something out.
QString RefusedWords();
QString CutWords(int limit);

// Tells the pupil, in a tip beside the field, what it could not take.
void TellBesideField(QWidget* field, const QString& words);

// What a field has told since it was last set up, so that a pupil who goes on
// pressing a key the field cannot take is told once, not at every press.
class FieldTip {
public:
    explicit FieldTip(QWidget* field) : field_(field) {}
    void Tell(const QString& words);
    void Forget() { told_.clear(); }

private:
    QWidget* field_;
    QStringList told_;
};

// One line of answer.
class AnswerLine : public QLineEdit {
public:
    explicit AnswerLine(QWidget* parent);
    // Enter was pressed in the field.
    std::function<void()> onEnter;
    FieldTip& tip() { return tip_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    FieldTip tip_{this};
};

// The tall field of a sentence answer: wraps, but holds one line of text, at
// most kSentenceMaxLength characters.
class AnswerBox : public QPlainTextEdit {
public:
    explicit AnswerBox(QWidget* parent);
    std::function<void()> onEnter;
    FieldTip& tip() { return tip_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;

private:
    // Inserts what can be kept of `text` at the cursor; false when nothing could be.
    bool InsertKept(const QString& text);
    int Room() const;
    FieldTip tip_{this};
};

}  // namespace qv
