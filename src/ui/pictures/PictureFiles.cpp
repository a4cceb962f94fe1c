#include "ui/pictures/PictureFiles.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

namespace quorvane::pictures {

namespace {

QString path_of(const QString& name) {
    return QStringLiteral(":/pictures/") + name + QStringLiteral(".svg");
}

QPixmap render(QSvgRenderer& renderer, const QSize& size) {
    QPixmap pixmap(size);
    if (pixmap.isNull()) return pixmap;
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

// Kept for the life of the process and never destroyed: pixmaps must not outlive the
// application object, and a static destroyed after it would do just that.
QHash<QString, QIcon>& icons() {
    static auto* kept = new QHash<QString, QIcon>;
    return *kept;
}

QHash<QString, QPixmap>& pixmaps() {
    static auto* kept = new QHash<QString, QPixmap>;
    return *kept;
}

}  // namespace

QIcon icon(const QString& name, std::initializer_list<int> sides) {
    QString key = name;
    for (int side : sides) key += QLatin1Char(' ') + QString::number(side);
    auto found = icons().constFind(key);
    if (found != icons().constEnd()) return *found;
    QSvgRenderer renderer(path_of(name));
    QIcon result;
    for (int side : sides) result.addPixmap(render(renderer, QSize(side, side)));
    icons().insert(key, result);
    return result;
}

QPixmap pixmap(const QString& name, const QSize& size) {
    const QString key = name + QLatin1Char(' ') + QString::number(size.width()) + QLatin1Char('x') +
                        QString::number(size.height());
    auto found = pixmaps().constFind(key);
    if (found != pixmaps().constEnd()) return *found;
    QSvgRenderer renderer(path_of(name));
    QPixmap result = render(renderer, size);
    pixmaps().insert(key, result);
    return result;
}

}  // namespace quorvane::pictures
