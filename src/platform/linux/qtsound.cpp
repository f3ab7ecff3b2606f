#include "platform/linux/qtsound.h"

#include <QFileInfo>
#include <QUrl>

#ifdef QV_HAVE_MULTIMEDIA
#include <QSoundEffect>
#endif

namespace qv::platform {

void QtSound::play(const QString& wavPath) {
    if (!QFileInfo(wavPath).isFile())
        return;
#ifdef QV_HAVE_MULTIMEDIA
    // One effect per sound, so overlapping sounds do not cut each other off; each goes
    // away when it has played or failed to load.
    auto* effect = new QSoundEffect(&players_);
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying() && effect->status() != QSoundEffect::Loading)
            effect->deleteLater();
    });
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Error)
            effect->deleteLater();
    });
    effect->setSource(QUrl::fromLocalFile(wavPath));
    effect->play();
#endif
}

}  // namespace qv::platform
