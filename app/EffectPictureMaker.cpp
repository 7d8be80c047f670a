#include "app/EffectPictureMaker.h"

#include "app/EffectPictures.h"
#include "platform/Paths.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <unistd.h>

TEffectPictureMaker::TEffectPictureMaker(QObject* parent) : QObject(parent) {
    FIdle.setSingleShot(true);
    FIdle.setInterval(IdleDelayMs);
    connect(&FIdle, &QTimer::timeout, this, &TEffectPictureMaker::IdleTime);
}

TEffectPictureMaker::~TEffectPictureMaker() {
    if (FRun) {
        FRun->disconnect(this);
        FRun->kill();
        FRun->waitForFinished(2000);
    }
}

QString TEffectPictureMaker::ToolPath() {
    const QString chosen = qEnvironmentVariable("ZARVO_EFFECTS_TOOL");
    return chosen.isEmpty() ? Paths::InstalledFolder() + QStringLiteral("zarvo-effects") : chosen;
}

bool TEffectPictureMaker::Queue(const QString& effectFile) {
    if (!EffectPictures::PictureFor(effectFile).isEmpty())
        return false;
    const QString text = effectFile + u'\n' + EffectPictures::NameOfFile(effectFile);
    if (FTried.contains(text) || FQueue.contains(effectFile) || FRunning.contains(effectFile))
        return false;
    FTried.insert(text);
    FQueue << effectFile;
    return true;
}

void TEffectPictureMaker::Want(const QString& effectFile) {
    // Idle time begins once the wishes stop; a run under way takes the queue when it ends.
    if (Queue(effectFile) && !FRun)
        FIdle.start();
}

void TEffectPictureMaker::WantAll(const QStringList& effectFiles) {
    // A category listed again adds nothing still waiting.
    for (const QString& file : effectFiles)
        if (!FUnlookedSet.contains(file)) {
            FUnlookedSet.insert(file);
            FUnlooked << file;
        }
    if (!FRun)
        FIdle.start();
}

void TEffectPictureMaker::IdleTime() {
    if (FRun)
        return;
    for (int n = 0; n < LookedAtOnce && !FUnlooked.isEmpty(); ++n) {
        const QString file = FUnlooked.takeFirst();
        FUnlookedSet.remove(file);
        Queue(file);
    }
    if (!FUnlooked.isEmpty()) {
        // The events in hand go first.
        QTimer::singleShot(0, this, &TEffectPictureMaker::IdleTime);
        return;
    }
    StartRun();
}

void TEffectPictureMaker::StartRun() {
    if (FRun || FQueue.isEmpty())
        return;
    FRunning = FQueue.mid(0, RunAtOnce);
    FQueue.remove(0, FRunning.size());
    FRun = new QProcess(this);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The pages are never shown.
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    FRun->setProcessEnvironment(environment);
    FRun->setStandardOutputFile(QProcess::nullDevice());
    FRun->setStandardErrorFile(QProcess::nullDevice());
    FRun->setChildProcessModifier([] {
        // Idle time: the program and the rest of the desktop go first.
        [[maybe_unused]] const int niceness = ::nice(19);
    });
    connect(FRun, &QProcess::finished, this, &TEffectPictureMaker::RunFinished);
    connect(FRun, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            RunFinished();
    });
    FRun->start(ToolPath(), QStringList{QStringLiteral("pictures"), QStringLiteral("--jobs"),
                                        QStringLiteral("1"), QStringLiteral("--out"),
                                        EffectPictures::UserFolder()} +
                                FRunning);
}

void TEffectPictureMaker::RunFinished() {
    if (!FRun)
        return;
    FRun->deleteLater();
    FRun = nullptr;
    for (const QString& file : std::exchange(FRunning, {}))
        if (OnMade && !EffectPictures::PictureFor(file).isEmpty())
            OnMade(file);
    if (!FQueue.isEmpty() || !FUnlooked.isEmpty())
        FIdle.start();
}
