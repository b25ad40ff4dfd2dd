#include "mainwindow/contents.h"

#include <QEvent>
#include <QMouseEvent>
#include <functional>
#include <QPainter>
#include <QVBoxLayout>

#include "course/results_store.h"
#include "mainwindow/navigation.h"
#include "ui/pop_up.h"
#include "ui/record_text.h"
#include "ui/units.h"

namespace qv {

namespace {

constexpr int kToolbarHeight = 62;
const QColor kPageColour(255, 255, 255);
const QColor kHeadingColour(31, 78, 140);

QFont UiFont(double points, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void Fill(QWidget* widget, const QColor& colour) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QLabel* Label(QWidget* parent, const QString& name, const QString& text, const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    return label;
}

QWidget* Page(QWidget* parent, const QString& name) {
    auto* page = new QWidget(parent);
    page->setObjectName(name);
    Fill(page, kPageColour);
    return page;
}

QLabel* PictureLabel(QWidget* parent, const QString& name, const QPixmap& pixmap, const QRect& geometry) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setPixmap(pixmap);
    picture->setScaledContents(pixmap.size() != geometry.size());
    picture->setGeometry(geometry);
    return picture;
}

QString Name(const char* stem, int n) { return QString::fromLatin1(stem) + QString::number(n); }
QString Name2(const char* stem, int n) { return QString::fromLatin1(stem) + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

// A clickable text label (the topic buttons).
class TopicLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        event->accept();
        if (onClick && rect().contains(event->position().toPoint())) onClick();
    }
};

// The black line across the tab strip, just above its bottom edge.
class TabStrip : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), kStripColour);
        const int y = height() - 1 - std::max(1, TwipsToPixels(10));
        painter.setPen(Qt::black);
        painter.drawLine(0, y, width(), y);
    }
};

}  // namespace

// The column of "%" signs after the scores: one sign beside each score shown.
class PercentColumn : public QLabel {
public:
    explicit PercentColumn(QWidget* parent)
        : QLabel(QStringLiteral("% %         % %         % %         % %         % %"), parent) {
        setObjectName(QStringLiteral("Percent1a"));
    }
    std::vector<QLabel*> scores;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        for (QLabel* score : scores) {
            if (score->text().isEmpty()) continue;
            const QRect row(0, score->y() - y(), width(), score->height());
            painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%"));
        }
    }
};

Contents::Contents(const StartupData& startup, QString workDir, PictureCache& pictures, const CursorSource& cursor,
                   QWidget* parent)
    : QWidget(parent), pictures_(pictures), cursor_(cursor), workDir_(std::move(workDir)) {
    setObjectName(QStringLiteral("Contents"));
    Fill(this, kStripColour);
    if (startup.configuration.available) config_ = startup.configuration.config;

    LoadMainPictures();
    setGeometry(TwipsToPixels(60), TwipsToPixels(60), TwipsToPixels(6070), TwipsToPixels(7380));
    frame_ = new SkinFrame(this, pictures_, SkinFrame::Kind::Main);

    ScnTabBG = new TabStrip(this);
    ScnTabBG->setObjectName(QStringLiteral("ScnTabBG"));
    BuildTabs();
    BuildToolbar();
    BuildHomePage();
    BuildReportPage();
    BuildHelpPages();
    for (QWidget* page : {Body_Home, Body_Report, Body_Trash, Body_About}) page->hide();

    // Captions from the configuration.
    const QString title = config_.title.empty() ? QStringLiteral("Quorvale Practice") : FromRecord(config_.title);
    setWindowTitle(title);
    frame_->Title->setText(title);
    ProgramName->setText(title);
    lblCOD = FromRecord(config_.code);
    for (int slot = 1; slot <= 3; ++slot) {
        const QString label = FromRecord(config_.module(slot).label);
        tabLabels_[slot - 1]->setText(label);
        const QString tip = QStringLiteral("Load %1 Module").arg(label);
        tabs_[slot - 1]->setToolTip(tip);
        tabLabels_[slot - 1]->setToolTip(tip);
    }
    tabLabels_[3]->setText(QStringLiteral("Help"));
    tabs_[3]->setToolTip(QStringLiteral("Help"));
    tabLabels_[3]->setToolTip(QStringLiteral("Help"));

    // Tab strip: configured module tabs side by side, then Help.
    ScnTabBG->setGeometry(2, 60, width() - 4, kToolbarHeight);
    const int tabWidth = tabs_[0]->width();
    const auto lefts = TabLefts({config_.module(1).configured(), config_.module(2).configured(),
                                 config_.module(3).configured()},
                                tabWidth, 2);
    for (int i = 0; i < 4; ++i) tabs_[i]->move(lefts[i], tabs_[i]->y());
    frame_->Layout();
    RaiseBorders();
    connect(frame_->imgProgClose, &PictureButton::clicked, this, &Contents::CloseProgram);
    connect(frame_->imgProgMin, &PictureButton::clicked, this, &QWidget::showMinimized);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Contents::Tick);
    Timer1->start();

    const int slot = config_.firstConfiguredSlot();
    if (slot == 0) {
        ShowNoCourse(startup.configuration.available
                         ? QStringLiteral("The course in this copy of the program has no modules, so there is "
                                          "nothing to practise yet.")
                         : QStringLiteral("The course could not be read, so there is nothing to practise. "
                                          "Reinstalling the program should put it right."));
        SelectTab(kHelpTab);
        txtTabPos = kHelpTab;
        Tick();
        return;
    }
    LChose = QString::number(slot);
    txtTabPos = slot;
    TabClick(slot);
    txtToolBarPos = 1;
    txtReportPos = 1;
    TopicCount = QStringLiteral("1");
    LoadModule();
    Tick();
}

void Contents::LoadMainPictures() {
    // The frame pieces load their own pictures; the rest are loaded with the pages.
    const QPixmap& icon = pictures_.Get(QStringLiteral("QVicon.ico"));
    if (!icon.isNull()) setWindowIcon(QIcon(icon));
}

void Contents::BuildTabs() {
    for (int i = 0; i < 4; ++i) {
        auto* tab = new PictureButton(Name2("Tab", i + 1), pictures_, this);
        tab->SetPicture(QStringLiteral("tabs_back_off.bmp"));
        auto* label = new CaptionLabel(Name2("Tab", i + 1) + QStringLiteral("lbl"), QString(), tab);
        label->setFont(UiFont(8.5, true));
        SetTextColour(label, kHeadingColour);
        label->setGeometry(0, 3, tab->width(), tab->height() - 5);
        tabs_[i] = tab;
        tabLabels_[i] = label;
        connect(tab, &PictureButton::clicked, this, [this, i] { TabClick(i + 1); });
    }
}

void Contents::BuildToolbar() {
    for (int column = 0; column < 2; ++column) {
        for (int i = 0; i < 4; ++i) {
            const ToolbarButtonLook look = ToolbarButton(column == 0 ? 1 : kHelpTab, i + 1);
            const QString stem = QString::fromLatin1(look.picture.data(), static_cast<int>(look.picture.size()));
            toolbarLooks_[column][i] = {QString::fromLatin1(look.caption.data(), static_cast<int>(look.caption.size())),
                                        QString::fromStdString(look.tooltip), stem + QStringLiteral("_off.bmp"),
                                        stem + QStringLiteral("_on.bmp"), stem + QStringLiteral("_pressed.bmp")};
        }
    }
    for (int i = 0; i < 4; ++i) {
        auto* button = new PictureButton(Name2("ToolBar", i + 1), pictures_, ScnTabBG);
        button->SetPicture(QStringLiteral("home_off.bmp"));
        button->move(8 + i * (button->width() + 6), 3);
        auto* label = new CaptionLabel(Name2("lblTB", i + 1), QString(), button);
        label->setFont(UiFont(8));
        SetTextColour(label, kHeadingColour);
        label->setGeometry(0, button->height() - 17, button->width(), 15);
        toolBar_[i] = button;
        toolBarLabels_[i] = label;
        connect(button, &PictureButton::clicked, this, [this, i] { ToolBarClick(i + 1); });
        connect(button, &PictureButton::pressed, this, [this] { txtPressTrack = true; });
        connect(button, &PictureButton::released, this, [this] { txtPressTrack = false; });
    }
}

void Contents::BuildHomePage() {
    Body_Home = Page(this, QStringLiteral("Body_Home"));
    PictureLabel(Body_Home, QStringLiteral("ColHead1"), pictures_.Get(QStringLiteral("columnhead1.bmp")), {8, 8, 180, 24});
    PictureLabel(Body_Home, QStringLiteral("ColHead2"), pictures_.Get(QStringLiteral("columnhead2.bmp")), {200, 8, 186, 24});
    auto* label12 = Label(Body_Home, QStringLiteral("Label12"), QStringLiteral("Select a Topic"), UiFont(9, true));
    label12->setGeometry(16, 8, 170, 24);
    auto* label13 = Label(Body_Home, QStringLiteral("Label13"), QStringLiteral("Select a Paper"), UiFont(9, true));
    label13->setGeometry(208, 8, 170, 24);
    for (QLabel* head : {label12, label13}) SetTextColour(head, kHeadingColour);

    const QCursor hand = [this] {
        const QPixmap& pixmap = pictures_.Get(QStringLiteral("hand.ico"));
        return pixmap.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(pixmap, pixmap.width() / 3, 0);
    }();
    for (int k = 1; k <= 10; ++k) {
        const int y = 40 + (k - 1) * 30;
        QLabel* bullet = PictureLabel(Body_Home, Name("Bullet", k), pictures_.Get(QStringLiteral("bullet.bmp")), {12, y + 8, 9, 9});
        auto* topic = new TopicLabel(Body_Home);
        topic->setObjectName(Name("Topic", k));
        topic->setFont(UiFont(9));
        topic->setGeometry(26, y, 164, 25);
        topic->setIndent(6);
        topic->setAutoFillBackground(true);
        topic->setCursor(hand);
        topic->onClick = [this, k] { TopicClick(k); };
        topics_[k - 1] = topic;
        bullets_[k - 1] = bullet;
    }

    SubH1 = Label(Body_Home, QStringLiteral("SubH1"), QStringLiteral("Select a Paper"), UiFont(9.5, true));
    SubH1->setGeometry(204, 38, 186, 20);
    SetTextColour(SubH1, kHeadingColour);

    Percent1a = new PercentColumn(Body_Home);
    Percent1a->setFont(UiFont(8.5));
    for (int j = 1; j <= 5; ++j) {
        const int y = 62 + (j - 1) * 60;
        Label(Body_Home, Name("LblP", j), QStringLiteral("Paper %1").arg(j), UiFont(8.5, true))->setGeometry(204, y, 120, 16);
        Label(Body_Home, Name("LblA", j), QStringLiteral("1st Attempt:"), UiFont(8.5))->setGeometry(214, y + 18, 90, 18);
        Label(Body_Home, Name("LblB", j), QStringLiteral("2nd Attempt:"), UiFont(8.5))->setGeometry(214, y + 39, 90, 18);
        msa_[j - 1] = Label(Body_Home, Name("MSA", j), QString(), UiFont(8.5, true));
        msa_[j - 1]->setGeometry(330, y + 18, 10, 18);
        msb_[j - 1] = Label(Body_Home, Name("MSB", j), QString(), UiFont(8.5, true));
        msb_[j - 1]->setGeometry(330, y + 39, 10, 18);
        Percent1a->scores.push_back(msa_[j - 1]);
        Percent1a->scores.push_back(msb_[j - 1]);
        for (int attempt = 0; attempt < 2; ++attempt) {
            const QString name = QStringLiteral("P%1%2").arg(j).arg(attempt == 0 ? 'a' : 'b');
            auto* button = new PictureButton(name, pictures_, Body_Home);
            button->SetPicture(QStringLiteral("loadbutton_off.bmp"));
            button->move(356, y + 16 + attempt * 21);
            button->setToolTip(attempt == 0 ? QStringLiteral("Load paper %1").arg(j)
                                            : QStringLiteral("Try paper %1 again").arg(j));
            connect(button, &PictureButton::clicked, this, [this, j, attempt] { OpenPaper(j - 1, attempt + 1); });
            (attempt == 0 ? paperA_ : paperB_)[j - 1] = button;
        }
    }
    Percent1a->setGeometry(334, 62, 14, 300);
    Percent1a->lower();

    noCourse_ = Label(Body_Home, QStringLiteral("NoCourse"), QString(), UiFont(10));
    noCourse_->setWordWrap(true);
    noCourse_->setAlignment(Qt::AlignCenter);
    noCourse_->hide();
}

void Contents::BuildReportPage() {
    Body_Report = Page(this, QStringLiteral("Body_Report"));
    const char* captions[] = {"Overall Results", "Topical Results", "Trend Analysis"};
    const char* panels[] = {"RC1Summary", "RC2Topical", "RC3Trend"};
    for (int i = 0; i < 3; ++i) {
        reportPanels_[i] = Page(Body_Report, QString::fromLatin1(panels[i]));
        auto* bar = new PictureButton(Name("RCBar", i + 1), pictures_, Body_Report);
        bar->SetPicture(QStringLiteral("columnhead1.bmp"));
        bar->setScaledContents(true);
        auto* label = new CaptionLabel(Name("lblRCBar", i + 1), QString::fromLatin1(captions[i]), bar);
        label->setFont(UiFont(9, true));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setIndent(10);
        SetTextColour(label, kHeadingColour);
        reportBars_[i] = bar;
        connect(bar, &PictureButton::clicked, this, [this, i] {
            txtReportPos = i + 1;
            ShowReportSection();
        });
    }
}

void Contents::BuildHelpPages() {
    Body_Trash = Page(this, QStringLiteral("Body_Trash"));
    auto* trashHeading = Label(Body_Trash, QStringLiteral("TrashHeading"), QStringLiteral("Trash past results"), UiFont(10, true));
    trashHeading->setGeometry(16, 16, 360, 22);
    SetTextColour(trashHeading, kHeadingColour);

    Body_About = Page(this, QStringLiteral("Body_About"));
    PictureLabel(Body_About, QStringLiteral("Logo"), pictures_.Get(QStringLiteral("Logo.gif")), {16, 16, 150, 60});
    ProgramName = Label(Body_About, QStringLiteral("ProgramName"), QString(), UiFont(10, true));
    ProgramName->setGeometry(16, 84, 360, 22);
    SetTextColour(ProgramName, kHeadingColour);
}

void Contents::ShowNoCourse(const QString& words) {
    for (QWidget* child : Body_Home->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->hide();
    noCourse_->setText(words);
    noCourse_->setGeometry(24, 40, width() - 52, 200);
    noCourse_->show();
    PlacePage(Body_Home);
}

// Home page ---------------------------------------------------------------

void Contents::LoadModule() {
    bool ok = false;
    const int slot = LChose.toInt(&ok);
    if (ok && slot >= 1 && slot <= 3) {
        const ModuleConfig& module = config_.module(slot);
        topicCount_ = module.topicCount;
        paperCount_ = module.paperCount;
        topicNames_ = module.topicNames;
    }
    TtPapersCon = QString::number(paperCount_);
    const auto marksFile = ResultFilePath(ToPath(workDir_), ResultKind::Marks, LChose.toInt(), lblCOD.toStdString());
    auto marks = ReadModuleMarks(marksFile, paperCount_);
    marks_ = std::move(marks.value);
    for (int k = 1; k <= 10; ++k) {
        const std::string name = k <= static_cast<int>(topicNames_.size()) ? topicNames_[k - 1] : std::string();
        topics_[k - 1]->setText(FromRecord(name));
        ShowTopicButton(k);
    }
    if (RefreshLog == QStringLiteral("off")) TopicClick(1);
    if (!marks.ok()) {
        Ask(QStringLiteral("Quorvale"), QString::fromStdString(DescribeIoStatus(marks.status, marksFile)), 1, this);
    }
}

void Contents::ShowTopicButton(int k) {
    const bool shown = k <= topicCount_;
    topics_[k - 1]->setVisible(shown);
    bullets_[k - 1]->setVisible(shown);
}

void Contents::TopicClick(int k) {
    TopicCount = QString::number(FirstPaperOfTopic(k));
    TopicChoosing(TopicCount.toInt());
    Topicbuttoncolour(topics_[k - 1]);
}

void Contents::TopicChoosing(int firstPaper) {
    for (int j = 0; j < 5; ++j) {
        const std::size_t index = static_cast<std::size_t>(firstPaper - 1 + j);
        msa_[j]->setText(index < marks_[0].size() ? FromRecord(marks_[0][index]) : QString());
        msb_[j]->setText(index < marks_[1].size() ? FromRecord(marks_[1][index]) : QString());
    }
    const std::size_t topic = static_cast<std::size_t>((firstPaper - 1) / 5);
    SubH1->setText(topic < topicNames_.size() ? FromRecord(topicNames_[topic]) : QString());
    ShowPaperButtons();
}

void Contents::Topicbuttoncolour(QLabel* selected) {
    const QColor highlightText = palette().color(QPalette::HighlightedText);
    for (QLabel* topic : topics_) {
        QPalette palette = topic->palette();
        const bool chosen = topic == selected;
        palette.setColor(QPalette::Window, chosen ? QColor(128, 128, 128) : highlightText);
        palette.setColor(QPalette::WindowText, chosen ? highlightText : QColor(Qt::black));
        topic->setPalette(palette);
    }
}

void Contents::ShowPaperButtons() {
    const int gap = TwipsToPixels(20);
    auto place = [&](QLabel* score) {
        score->adjustSize();
        score->move(score->text().isEmpty() ? Percent1a->x() : Percent1a->x() - score->width() - gap, score->y());
    };
    for (int j = 0; j < 5; ++j) {
        place(msa_[j]);
        paperB_[j]->setVisible(OffersSecondAttempt(msa_[j]->text().toStdString()));
        paperA_[j]->setVisible(true);
    }
    for (QLabel* score : msb_) place(score);
    Percent1a->update();
}

void Contents::OpenPaper(int offset, int attempt) {
    PaperNum = QString::fromStdString(PaperKey(TopicCount.toInt(), offset));
    TakeNum = QString::number(attempt);
    emit paperRequested();
}

void Contents::RefreshContents() {
    RefreshLog = QStringLiteral("on");
    LoadModule();
    const int topic = TopicOfFirstPaper(TopicCount.toInt());
    if (topic >= 1) TopicClick(topic);
    RefreshLog = QStringLiteral("off");
}

// Tabs, toolbar and pages --------------------------------------------------

void Contents::TabClick(int n) {
    txtTabPos = n;
    txtToolBarPos = 1;
    txtReportPos = 1;
    SelectTab(n);
    if (n != kHelpTab) LChose = QString::number(n);
    ShowPage();
}

void Contents::SelectTab(int n) {
    for (int i = 3; i >= 0; --i) tabs_[i]->raise();
    ScnTabBG->raise();
    tabs_[n - 1]->raise();
    for (PictureButton* tab : tabs_) tab->move(tab->x(), ScnTabBG->y() - tab->height() + 3);
    tabs_[n - 1]->move(tabs_[n - 1]->x(), ScnTabBG->y() - tabs_[n - 1]->height() + 1);
}

void Contents::ToolBarClick(int n) {
    txtToolBarPos = n;
    ShowPage();
}

void Contents::ShowPage() {
    switch (ShowPageAction(txtTabPos, txtToolBarPos)) {
        case PageAction::Home:
            if (config_.anyConfigured()) LoadModule();
            PlacePage(Body_Home);
            break;
        case PageAction::Report:
            ShowReportSection();
            PlacePage(Body_Report);
            break;
        case PageAction::CloseProgram:
            CloseProgram();
            break;
        case PageAction::About:
            PlacePage(Body_About);
            break;
        case PageAction::Trash:
            PlacePage(Body_Trash);
            break;
        case PageAction::PrintResults:
        case PageAction::PrintSetup:
        case PageAction::Nothing:
            break;
    }
}

void Contents::PlacePage(QWidget* page) {
    const int top = ScnTabBG->y() + ScnTabBG->height();
    page->setGeometry(ScnTabBG->x(), top, ScnTabBG->width(), height() - top - frame_->BBot->height());
    page->show();
    page->raise();
    RaiseBorders();
}

// The side and bottom borders stay above the pages, which reach under them.
void Contents::RaiseBorders() {
    for (QWidget* piece : {static_cast<QWidget*>(frame_->BLeft), static_cast<QWidget*>(frame_->BRight),
                           static_cast<QWidget*>(frame_->BBot), static_cast<QWidget*>(frame_->BBotLeft),
                           static_cast<QWidget*>(frame_->BBotRight)}) {
        piece->raise();
    }
}

void Contents::ShowReportSection() {
    const int width = ScnTabBG->width();
    const int height = this->height() - ScnTabBG->y() - ScnTabBG->height() - frame_->BBot->height();
    Body_Report->resize(width, height);
    for (PictureButton* bar : reportBars_) {
        bar->resize(width, 24);
        bar->findChild<QLabel*>()->setGeometry(0, 0, width, 24);
    }
    const auto layout = ReportSectionLayout(txtReportPos, height, reportBars_[0]->height(),
                                            reportBars_[1]->height(), reportBars_[2]->height());
    for (int i = 0; i < 3; ++i) reportBars_[i]->move(0, layout.barTops[i]);
    QWidget* panel = reportPanels_[txtReportPos - 1];
    panel->setGeometry(0, layout.panelTop, width, layout.panelHeight);
    panel->raise();
    for (PictureButton* bar : reportBars_) bar->raise();
}

void Contents::CloseProgram() {
    Timer1->stop();
    close();
}

void Contents::Tick() {
    const QPoint cursor = cursor_.Pos();
    for (int i = 0; i < 4; ++i) {
        const bool selected = i + 1 == txtTabPos;
        SetHoverPicture(*tabs_[i], cursor,
                        selected ? QStringLiteral("tabs_front_off.bmp") : QStringLiteral("tabs_back_off.bmp"),
                        selected ? QStringLiteral("tabs_front_on.bmp") : QStringLiteral("tabs_back_on.bmp"));
    }
    for (int i = 0; i < 4; ++i) {
        const ToolbarLook& look = toolbarLooks_[txtTabPos == kHelpTab ? 1 : 0][i];
        PictureButton& button = *toolBar_[i];
        CaptionLabel& label = *toolBarLabels_[i];
        const bool available = !look.caption.isEmpty();
        if (label.text() != look.caption) label.setText(look.caption);
        if (button.toolTip() != look.tooltip) {
            button.setToolTip(look.tooltip);
            label.setToolTip(look.tooltip);
        }
        if (button.isEnabled() != available) {
            button.setEnabled(available);
            label.setEnabled(available);
        }
        if (available) {
            SetPressHoverPicture(button, cursor, txtPressTrack, look.pressed, look.on, look.off);
        } else {
            button.SetFadedPicture(look.off);
        }
    }
    for (int j = 0; j < 5; ++j) {
        for (PictureButton* button : {paperA_[j], paperB_[j]}) {
            SetHoverPicture(*button, cursor, QStringLiteral("loadbutton_off.bmp"), QStringLiteral("loadbutton_on.bmp"));
        }
    }
    frame_->EvaluateWindowButtons(cursor);
}

bool Contents::Ask(const QString& title, const QString& message, int buttons, QWidget* owner) {
    return AskPopUp(pictures_, cursor_, PopUpResponse, title, message, buttons, owner);
}

void Contents::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && frame_) {
        const bool active = isActiveWindow();
        frame_->PaintTitle(active);
        ContentsFocus = active ? QStringLiteral("1") : QStringLiteral("0");
    }
    QWidget::changeEvent(event);
}

}  // namespace qv
