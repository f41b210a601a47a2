#pragma once

#include "testing/TestRun.h"

#include <QObject>
#include <QString>

class QSoundEffect;

// Plays the test's beep without waiting for it, on the thread the player lives on (the
// workers hand their requests over). A missing or unplayable file gives the desktop's
// default beep instead.
class SoundEffectPlayer final : public QObject, public hv::SoundPlayer {
    Q_OBJECT

public:
    explicit SoundEffectPlayer(QObject* parent = nullptr);
    ~SoundEffectPlayer() override;

    // Any thread.
    void PlayAsync(const std::string& path) override;

private:
    void Play(const QString& path);

    QSoundEffect* m_pEffect = nullptr;
    QString m_loadedPath;
};
