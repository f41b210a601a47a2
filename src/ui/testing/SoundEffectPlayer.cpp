#include "ui/testing/SoundEffectPlayer.h"

#include <QApplication>
#include <QFileInfo>
#include <QMetaObject>
#include <QSoundEffect>
#include <QUrl>

SoundEffectPlayer::SoundEffectPlayer(QObject* parent) : QObject(parent) {}

SoundEffectPlayer::~SoundEffectPlayer() = default;

void SoundEffectPlayer::PlayAsync(const std::string& path) {
    const QString file = QString::fromStdString(path);
    QMetaObject::invokeMethod(
        this, [this, file] { Play(file); }, Qt::QueuedConnection);
}

void SoundEffectPlayer::Play(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        QApplication::beep();
        return;
    }
    if (m_pEffect == nullptr || m_loadedPath != path) {
        delete m_pEffect;
        m_pEffect = new QSoundEffect(this);
        m_pEffect->setSource(QUrl::fromLocalFile(path));
        m_loadedPath = path;
    }
    if (m_pEffect->status() == QSoundEffect::Error) {
        QApplication::beep();
        return;
    }
    m_pEffect->play(); // plays once loaded, if it is still loading
}
