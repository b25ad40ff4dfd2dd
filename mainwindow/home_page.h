#pragma once

// The home page `Body_Home`: the topics of the current module on the left,
// the five papers of the chosen topic with their scores on the right.

#include <QLabel>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "course/text.h"
#include "practice/paper_request.h"
#include "ui/picture_button.h"
#include "ui/picture_cache.h"

namespace qv {

class PercentColumn;

class HomePage : public QWidget {
    Q_OBJECT

public:
    HomePage(QWidget* parent, PictureCache& pictures);

    // Captions of Topic1..Topic10; the topics beyond `count` are hidden with
    // their bullets.
    void ShowTopics(const std::vector<std::string>& names, int count);
    // The chosen topic's heading and the scores of its five papers as stored
    // (empty: not marked), shown with the user's decimal separator. Places
    // each score just before its "%" sign and offers a second attempt for a
    // marked paper below a full score.
    void ShowPapers(const QString& heading, const std::array<RecordText, 5>& first,
                    const std::array<RecordText, 5>& second);
    // The selected topic grey with light text, the others light with black text.
    void Highlight(const QLabel* selected);
    QLabel* topic(int k) const { return topics_[k - 1]; }
    // Instead of topics and papers, the words why there is nothing to practise.
    void ShowNoCourse(const QString& words);
    // Hover pictures of the paper buttons.
    void Tick(QPoint cursor);

signals:
    void topicClicked(int k);                  // 1..10
    void paperClicked(int offset, Attempt attempt);  // offset 0..4

private:
    void ShowPaperButtons();

    PictureCache& pictures_;
    std::array<QLabel*, 10> topics_{};
    std::array<QLabel*, 10> bullets_{};
    QLabel* SubH1 = nullptr;
    std::array<QLabel*, 5> msa_{};
    std::array<QLabel*, 5> msb_{};
    std::array<bool, 5> offersSecond_{};  // the stored first score is below a full score
    PercentColumn* Percent1a = nullptr;
    std::array<PictureButton*, 5> paperA_{};
    std::array<PictureButton*, 5> paperB_{};
    QLabel* noCourse_ = nullptr;
};

}  // namespace qv
