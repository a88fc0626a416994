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

namespace pindral {

namespace {

// The designed layout, in twips; controls in the frame are placed relative to it.
constexpr int kDesignWidth = 3615;
constexpr int kDesignHeight = 4590;
constexpr ui::TwipsRect kFrameRect{120, 120, 3375, 3015};
constexpr ui::TwipsRect kCapRects[4] = {
    {120, 480, 1815, 375}, {120, 960, 2295, 375}, {120, 1680, 1815, 375}, {120, 2160, 1815, 375}};
constexpr ui::TwipsRect kSizeRect{2520, 480, 615, 315};
constexpr ui::TwipsRect kCountRect{2520, 960, 615, 315};
constexpr ui::TwipsRect kLineRect{120, 1440, 3000, 15};
constexpr ui::TwipsRect kColorRects[2] = {{2520, 1680, 615, 255}, {2520, 2160, 615, 255}};
constexpr ui::TwipsRect kBackRect{120, 2640, 2295, 255};
constexpr ui::TwipsRect kNoteRect{120, 3240, 3255, 615};
constexpr ui::TwipsRect kCancelRect{960, 3960, 1215, 495};
constexpr ui::TwipsRect kOKRect{2280, 3960, 1215, 495};

const char* const kCaptions[4] = {"Square Size (In Pixels)", "Number of Squares Across",
                                  "Selecting Color", "Solution Color"};

}  // namespace

fSettings::fSettings(SettingsFile& ini, fGame* game)
    : QWidget(game, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint),
      ini_(ini),
      game_(game),
      colours_{ini.settings().selectColor, ini.settings().solutionColor} {
    setObjectName(QStringLiteral("fSettings"));
    setWindowTitle(QStringLiteral("Zorbeck! Settings"));
    setFont(tahoma(9));
    ui::setFixedClientSize(this, kDesignWidth, kDesignHeight);

    auto* frame = ui::createControl<QGroupBox>(this, "fraBoard", kFrameRect,
                                               QStringLiteral("FUN! FUN! FUN!"));
    frame->setFont(tahoma(9, true));
    for (int i = 0; i < 4; ++i) {
        auto* caption =
            ui::createControl<QLabel>(frame, qPrintable(QStringLiteral("lblCap_%1").arg(i)),
                                      kCapRects[i], QString::fromLatin1(kCaptions[i]));
        caption->setFont(tahoma(9));
        caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    txtSize_ = ui::createControl<QLineEdit>(frame, "txtSize", kSizeRect,
                                            QString::number(ini.settings().squareSize));
    txtCount_ = ui::createControl<QLineEdit>(frame, "txtCount", kCountRect,
                                             QString::number(ini.settings().squareCount));
    auto* line = ui::createControl<QFrame>(frame, "Line1", kLineRect);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    for (int i = 0; i < 2; ++i) {
        lblColor_[i] = ui::createControl<QLabel>(
            frame, qPrintable(QStringLiteral("lblColor_%1").arg(i)), kColorRects[i]);
        lblColor_[i]->setFrameShape(QFrame::Box);
        lblColor_[i]->setFrameShadow(QFrame::Plain);
        lblColor_[i]->setCursor(Qt::PointingHandCursor);
        lblColor_[i]->installEventFilter(this);
        showSwatch(i);
    }
    chkBack_ = ui::createControl<QCheckBox>(frame, "chkBack", kBackRect,
                                            QStringLiteral("Place Words Backwards"));
    chkBack_->setChecked(ini.settings().backwards != 0);
    for (QWidget* w : std::initializer_list<QWidget*>{txtSize_, txtCount_, chkBack_})
        w->setFont(tahoma(9));

    auto* note = ui::createControl<QLabel>(
        this, "lblNote", kNoteRect,
        QStringLiteral("NOTE: Squares Across and Backwards settings do not take effect until "
                       "a new game is started."));
    note->setFont(tahoma(8.25));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cmdCancel_ =
        ui::createControl<QPushButton>(this, "cmdCancel", kCancelRect, QStringLiteral("&Cancel"));
    cmdOK_ = ui::createControl<QPushButton>(this, "cmdOK", kOKRect, QStringLiteral("&OK"));
    ui::setTabOrder({txtSize_, txtCount_, chkBack_, cmdCancel_, cmdOK_});

    connect(cmdCancel_, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdOK_, &QPushButton::clicked, this, [this] {
        if (accept()) close();
    });
}

void fSettings::showSwatch(int index) {
    ui::setControlColours(lblColor_[index], colours_[index], core::kBlack);
}

bool fSettings::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < 2; ++i) {
        if (watched != lblColor_[i] || event->type() != QEvent::MouseButtonRelease) continue;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            lblColor_[i]->rect().contains(mouse->position().toPoint()))
            chooseColour(i);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void fSettings::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void fSettings::chooseColour(int index) {
    // The dialog starts from black, not from the swatch.
    if (const auto colour = ui::dialogs().chooseColour(this, core::kBlack)) {
        colours_[index] = *colour;
        showSwatch(index);
    }
}

std::optional<int> fSettings::wholeNumberIn(QLineEdit* box, const QString& what) {
    // Read as the settings file is read: a fraction rounds to the nearest, halves to even.
    const std::optional<qint64> value = wholeNumberFrom(box->text());
    if (value && *value >= 1 && *value <= kLargestTyped) return int(*value);
    ui::dialogs().information(this, what + QStringLiteral(" must be a whole number of 1 or more."),
                              kProgramTitle);
    box->setFocus();
    box->selectAll();
    return std::nullopt;
}

bool fSettings::accept() {
    const auto size = wholeNumberIn(txtSize_, QStringLiteral("The square size"));
    if (!size) return false;
    const auto count = wholeNumberIn(txtCount_, QStringLiteral("The number of squares across"));
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
        txtSize_->setFocus();
        txtSize_->selectAll();
        return false;
    }

    Settings s;
    s.squareSize = qint16(*size);
    s.squareCount = qint16(*count);
    s.selectColor = colours_[0];
    s.solutionColor = colours_[1];
    s.backwards = chkBack_->isChecked() ? 1 : 0;
    ini_.setSettings(s);
    const QString error = ini_.saveSettings();
    if (!error.isEmpty()) {
        ui::dialogs().information(
            this,
            QStringLiteral("The settings could not be saved to %1:\n%2\n\nThey apply until the "
                           "program ends.")
                .arg(QDir::toNativeSeparators(ini_.path()), error),
            kProgramTitle);
    }
    if (game_) game_->settingsApplied();
    return true;
}

}  // namespace pindral
