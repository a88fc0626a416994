#include "pindral/window/settingswindow.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include "pindral/window/gamewindow.h"
#include "pindral/window/messages.h"
#include "ui/dialogs.h"
#include "ui/geometry.h"
#include "ui/services.h"

namespace pindral {

namespace {

// The designed layout; controls in the frame are placed relative to it.
constexpr int kDesignWidth = 3615;
constexpr int kDesignHeight = 4590;
constexpr ui::DesignedControl kFrame{"fraBoard", {120, 120, 3375, 3015}, "FUN! FUN! FUN!"};
constexpr ui::DesignedControl kCaptions[4] = {
    {"lblCap_0", {120, 480, 1815, 375}, "Square Size (In Pixels)"},
    {"lblCap_1", {120, 960, 2295, 375}, "Number of Squares Across"},
    {"lblCap_2", {120, 1680, 1815, 375}, "Selecting Color"},
    {"lblCap_3", {120, 2160, 1815, 375}, "Solution Color"}};
constexpr ui::DesignedControl kSizeBox{"txtSize", {2520, 480, 615, 315}};
constexpr ui::DesignedControl kCountBox{"txtCount", {2520, 960, 615, 315}};
constexpr ui::DesignedControl kLine{"Line1", {120, 1440, 3000, 15}};
constexpr ui::DesignedControl kSwatches[2] = {{"lblColor_0", {2520, 1680, 615, 255}},
                                              {"lblColor_1", {2520, 2160, 615, 255}}};
constexpr ui::DesignedControl kBackwardsBox{
    "chkBack", {120, 2640, 2295, 255}, "Place Words Backwards"};
constexpr ui::DesignedControl kNote{"lblNote",
                                    {120, 3240, 3255, 615},
                                    "NOTE: Squares Across and Backwards settings do not take "
                                    "effect until a new game is started."};
constexpr ui::DesignedControl kCancelButton{"cmdCancel", {960, 3960, 1215, 495}, "&Cancel"};
constexpr ui::DesignedControl kOkButton{"cmdOK", {2280, 3960, 1215, 495}, "&OK"};

}  // namespace

SettingsWindow::SettingsWindow(SettingsFile& settingsFile, GameWindow* game)
    : QWidget(game, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint),
      settingsFile_(settingsFile),
      game_(game),
      colours_{settingsFile.settings().selectColor, settingsFile.settings().solutionColor} {
    const Settings& settings = settingsFile.settings();
    setObjectName(QStringLiteral("fSettings"));
    setWindowTitle(QStringLiteral("Zorbeck! Settings"));
    setFont(ui::designFont(9));
    ui::setFixedClientSize(this, kDesignWidth, kDesignHeight);

    auto* frame = ui::createControl<QGroupBox>(this, kFrame);
    frame->setFont(ui::designFont(9, true));
    for (int i = 0; i < 4; ++i) {
        auto* caption = ui::createControl<QLabel>(frame, kCaptions[i]);
        caption->setFont(ui::designFont(9));
        caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    sizeBox_ = ui::createControl<QLineEdit>(frame, kSizeBox.name, kSizeBox.rect,
                                            QString::number(settings.squareSize));
    countBox_ = ui::createControl<QLineEdit>(frame, kCountBox.name, kCountBox.rect,
                                             QString::number(settings.squareCount));
    auto* line = ui::createControl<QFrame>(frame, kLine);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    for (int i = 0; i < 2; ++i) {
        swatches_[i] = ui::createControl<QLabel>(frame, kSwatches[i]);
        swatches_[i]->setFrameShape(QFrame::Box);
        swatches_[i]->setFrameShadow(QFrame::Plain);
        swatches_[i]->setCursor(Qt::PointingHandCursor);
        swatches_[i]->installEventFilter(this);
        showSwatch(i);
    }
    backwardsBox_ = ui::createControl<QCheckBox>(frame, kBackwardsBox);
    backwardsBox_->setChecked(settings.backwards != 0);
    for (QWidget* w : std::initializer_list<QWidget*>{sizeBox_, countBox_, backwardsBox_})
        w->setFont(ui::designFont(9));

    auto* note = ui::createControl<QLabel>(this, kNote);
    note->setFont(ui::designFont(8.25));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cancelButton_ = ui::createControl<QPushButton>(this, kCancelButton);
    okButton_ = ui::createControl<QPushButton>(this, kOkButton);
    ui::setTabOrder({sizeBox_, countBox_, backwardsBox_, cancelButton_, okButton_});
    // Boxes and swatches have their captions beside them: a screen reader names them so.
    sizeBox_->setAccessibleName(QString::fromUtf8(kCaptions[0].caption));
    countBox_->setAccessibleName(QString::fromUtf8(kCaptions[1].caption));
    swatches_[0]->setAccessibleName(QString::fromUtf8(kCaptions[2].caption));
    swatches_[1]->setAccessibleName(QString::fromUtf8(kCaptions[3].caption));

    connect(cancelButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(okButton_, &QPushButton::clicked, this, [this] {
        if (accept()) close();
    });
}

void SettingsWindow::showSwatch(int index) {
    ui::setControlColours(swatches_[index], colours_[index], core::kBlack);
}

bool SettingsWindow::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < 2; ++i) {
        if (watched != swatches_[i] || event->type() != QEvent::MouseButtonRelease) continue;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            swatches_[i]->rect().contains(mouse->position().toPoint()))
            chooseColour(i);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SettingsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SettingsWindow::chooseColour(int index) {
    // The dialog starts from black, not from the swatch.
    if (const auto colour = ui::dialogs().chooseColour(this, core::kBlack)) {
        colours_[index] = *colour;
        showSwatch(index);
    }
}

std::optional<int> SettingsWindow::wholeNumberIn(QLineEdit* box, const QString& what) {
    // Read as the settings file is read: a fraction rounds to the nearest, halves to even.
    const std::optional<qint64> value = wholeNumberFrom(box->text());
    if (value && *value >= 1 && *value <= kLargestTyped) return int(*value);
    ui::dialogs().information(this, what + QStringLiteral(" must be a whole number of 1 or more."),
                              kProgramTitle);
    box->setFocus();
    box->selectAll();
    return std::nullopt;
}

bool SettingsWindow::accept() {
    const auto size = wholeNumberIn(sizeBox_, QStringLiteral("The square size"));
    if (!size) return false;
    const auto count = wholeNumberIn(countBox_, QStringLiteral("The number of squares across"));
    if (!count) return false;
    // The new size applies at once to a running game, whose number of squares stays.
    const bool running = game_ && game_->game().gameActive();
    const int widest = std::max(*count, running ? int(game_->game().puzzle().count) : 0);
    const qint64 largest = largestSquareSize(widest, game_ ? game_->boardArea() : kNoScreenLimit);
    if (*size > largest) {
        const qint64 board = qint64(*size) * qint64(widest);
        const QString advice =
            largest >= 1
                ? QStringLiteral("With %1 squares across, the largest square size that fits is %2.")
                      .arg(widest)
                      .arg(largest)
                : QStringLiteral("Not even squares of 1 pixel fit.");
        ui::dialogs().information(this,
                                  QStringLiteral("%1 squares of %2 pixels make a board of %3 x %3 "
                                                 "pixels, larger than the screen. %4")
                                      .arg(widest)
                                      .arg(*size)
                                      .arg(board)
                                      .arg(advice),
                                  kProgramTitle);
        sizeBox_->setFocus();
        sizeBox_->selectAll();
        return false;
    }

    Settings s;
    s.squareSize = qint16(*size);
    s.squareCount = qint16(*count);
    s.selectColor = colours_[0];
    s.solutionColor = colours_[1];
    s.backwards = backwardsBox_->isChecked() ? 1 : 0;
    settingsFile_.setSettings(s);
    const QString error = settingsFile_.saveSettings();
    if (!error.isEmpty()) {
        ui::dialogs().information(
            this,
            QStringLiteral("The settings could not be saved to %1:\n%2\n\nThey apply until the "
                           "program ends.")
                .arg(QDir::toNativeSeparators(settingsFile_.path()), error),
            kProgramTitle);
    }
    if (game_) game_->settingsApplied();
    return true;
}

}  // namespace pindral
