#include "keeper.h"

#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include "game.h"
#include "position_check.h"
#include "qt_text.h"
#include "save_format.h"
#include "table_window.h"
#include "texts.h"
#include "widgets.h"

namespace morvel {

namespace {

// A saved game is a few kilobytes; a larger file is no saved game and is not read whole.
constexpr qint64 kLargestGame = 1 << 20;

struct SpeedName {
    int interval;
    const char* name;
};
constexpr SpeedName kSpeedNames[] = {
    {kSlowInterval, "slow"}, {kMediumInterval, "medium"}, {kFastInterval, "fast"}};

void ShowOneLine(QWidget* parent, std::string_view line) {
    ShowInformation(parent, Caption(line));
}

}  // namespace

Keeper::Paths Keeper::UserPaths() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (config.isEmpty() || data.isEmpty()) return {};  // no home: nowhere to keep anything
    return {config + QStringLiteral("/morvel/morvel.conf"),
            data + QStringLiteral("/morvel/game.sav")};
}

Keeper::Keeper(Game& game, TForm1& table, std::function<void(const QString&)> suggestName,
               Paths paths)
    : game_(game),
      table_(table),
      suggestName_(std::move(suggestName)),
      paths_(std::move(paths)),
      item_(new QAction(Text(text::kMenuKeep), &table)) {
    item_->setObjectName(QStringLiteral("Keep1"));
    item_->setCheckable(true);
    item_->setEnabled(!paths_.settings.isEmpty());
    // Whether the person opted in is whether the settings file is there; nothing is read yet.
    on_ = !paths_.settings.isEmpty() && QFileInfo::exists(paths_.settings);
    item_->setChecked(on_);
    connect(item_, &QAction::triggered, this, [this](bool checked) { SetOn(checked); });
    table_.OptionMenu()->addAction(item_);
    table_.SetKeeper(this);
}

Keeper::~Keeper() {
    table_.SetKeeper(nullptr);
    delete item_;
}

bool Keeper::Settled() {
    return QApplication::activeModalWidget() == nullptr;
}

Keeper::Settings Keeper::Current() const {
    const GameState& s = game_.State();
    const TForm1::Options& options = table_.GetOptions();
    return {s.menuMode,           s.speedInterval,         s.cardBack,
            s.playerName,         options.pauseAfterRound, options.showPlayable,
            options.strongPlayers};
}

// A value the file holds that no setting takes leaves that setting as it starts.
Keeper::Settings Keeper::ReadSettings() const {
    QSettings file(paths_.settings, QSettings::IniFormat);
    Settings kept;
    kept.name = std::string(text::kNameSuggestion);
    if (file.value(QStringLiteral("mode")).toString() == QStringLiteral("complex"))
        kept.mode = GameMode::Complex;
    const QString speed = file.value(QStringLiteral("speed")).toString();
    for (const SpeedName& s : kSpeedNames) {
        if (speed == QLatin1String(s.name)) kept.speed = s.interval;
    }
    bool number = false;
    const int back = file.value(QStringLiteral("cardBack")).toInt(&number);
    if (number && back >= 1 && back <= 6) kept.cardBack = back;
    // The Option items are kept as the words true and false; anything else leaves them on.
    auto readOption = [&](const QString& key, bool& option) {
        const QString word = file.value(key).toString();
        if (word == QStringLiteral("true") || word == QStringLiteral("false"))
            option = word == QStringLiteral("true");
    };
    readOption(QStringLiteral("pauseAfterRound"), kept.pauseAfterRound);
    readOption(QStringLiteral("showPlayable"), kept.showPlayable);
    // The computer players as a word, standard or strong; anything else leaves them standard.
    kept.strongPlayers =
        file.value(QStringLiteral("players")).toString() == QStringLiteral("strong");
    const QVariant name = file.value(QStringLiteral("name"));
    if (name.isValid()) {
        const std::string typed = name.toString().toStdString();
        if (StoredName(typed) == typed && !IsComputerName(typed)) kept.name = typed;
    }
    return kept;
}

bool Keeper::WriteSettings(const Settings& settings) {
    QDir().mkpath(QFileInfo(paths_.settings).absolutePath());
    QSettings file(paths_.settings, QSettings::IniFormat);
    file.setValue(QStringLiteral("mode"), settings.mode == GameMode::Complex
                                              ? QStringLiteral("complex")
                                              : QStringLiteral("normal"));
    for (const SpeedName& s : kSpeedNames) {
        if (settings.speed == s.interval)
            file.setValue(QStringLiteral("speed"), QLatin1String(s.name));
    }
    file.setValue(QStringLiteral("cardBack"), settings.cardBack);
    file.setValue(QStringLiteral("name"), QString::fromStdString(settings.name));
    file.setValue(QStringLiteral("pauseAfterRound"), settings.pauseAfterRound);
    file.setValue(QStringLiteral("showPlayable"), settings.showPlayable);
    file.setValue(QStringLiteral("players"),
                  settings.strongPlayers ? QStringLiteral("strong") : QStringLiteral("standard"));
    file.sync();
    if (file.status() != QSettings::NoError || !QFileInfo::exists(paths_.settings)) return false;
    written_ = settings;
    suggestName_(QString::fromStdString(settings.name));
    return true;
}

void Keeper::WriteGame() {
    const GameState& s = game_.State();
    std::string bytes = EncodeGame(s);
    if (bytes == gameWritten_) return;
    // Only a position the next start can use: never one that would be refused.
    if (const std::string problem = PositionProblem(s); !problem.empty()) {
        qWarning() << "morvel: the game is not kept here:" << problem.c_str();
        return;
    }
    QDir().mkpath(QFileInfo(paths_.game).absolutePath());
    QSaveFile file(paths_.game);
    const auto size = static_cast<qint64>(bytes.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), size) != size ||
        !file.commit()) {
        qWarning() << "morvel: cannot keep the game in" << paths_.game << ":" << file.errorString();
        return;
    }
    gameWritten_ = std::move(bytes);
}

bool Keeper::Resume() {
    if (!on_) return false;
    kept_ = ReadSettings();
    game_.SetMode(kept_.mode);
    game_.SetSpeed(kept_.speed);
    suggestName_(QString::fromStdString(kept_.name));
    table_.SetOptions({kept_.pauseAfterRound, kept_.showPlayable, kept_.strongPlayers});
    written_ = kept_;
    table_.ShowChecks();

    QFile file(paths_.game);
    if (!file.exists()) return false;
    std::string problem;
    GameState position;
    // Not a file (a folder, a pipe that would wait for a writer): nothing to read.
    if (!QFileInfo(paths_.game).isFile()) {
        problem = "not a file";
    } else if (!file.open(QIODevice::ReadOnly)) {
        problem = file.errorString().toStdString();
    } else {
        const QByteArray bytes = file.read(kLargestGame + 1);
        file.close();
        problem =
            bytes.size() > kLargestGame
                ? "too large to be a saved game"
                : DecodeGame(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                             position);
        if (problem.empty()) {
            game_.Restore(position);
            table_.ShowChecks();
            gameWritten_ = bytes.toStdString();
            return true;
        }
    }
    qWarning() << "morvel: the saved game" << paths_.game << "is not used:" << problem.c_str();
    QFile::remove(paths_.Refused());
    QFile::rename(paths_.game, paths_.Refused());
    refused_ = true;
    return false;
}

void Keeper::StartUp() {
    if (refused_) ShowOneLine(&table_, text::kKeptGameRefused);
    refused_ = false;
    game_.FormActivate(on_ ? kept_.cardBack : 1);
}

void Keeper::AfterEvent() {
    if (!on_ || !Settled()) return;
    if (const Settings now = Current(); !(now == written_)) WriteSettings(now);
    if (IsSavePoint(game_.State())) WriteGame();
}

void Keeper::AtExit() {
    if (!on_ || !Settled()) return;
    if (const Settings now = Current(); !(now == written_)) WriteSettings(now);
    WriteGame();
}

void Keeper::SetOn(bool on) {
    if (on && !on_) {
        if (!WriteSettings(Current())) {
            Forget();
            item_->setChecked(false);
            ShowOneLine(&table_, text::kKeepingFailed);
            return;
        }
        on_ = true;
        if (Settled()) WriteGame();  // the game as it stands, a round in play too
    } else if (!on && on_) {
        on_ = false;
        Forget();
    }
    item_->setChecked(on_);
}

// Every file kept, and the folders made for them once empty. A run killed while writing leaves
// its temporary or lock file beside the kept one (game.sav.XXXXXX, morvel.conf.lock): those go
// too, or the folder would stay.
void Keeper::Forget() {
    for (const QString& path : {paths_.settings, paths_.game, paths_.Refused()}) {
        const QFileInfo kept(path);
        QDir folder = kept.absoluteDir();
        QFile::remove(path);
        for (const QString& left : folder.entryList({kept.fileName() + QStringLiteral(".*")},
                                                    QDir::Files | QDir::Hidden | QDir::System))
            folder.remove(left);
        QDir().rmdir(folder.absolutePath());
    }
    written_ = {};
    gameWritten_.clear();
    suggestName_(Text(text::kNameSuggestion));
}

}  // namespace morvel
