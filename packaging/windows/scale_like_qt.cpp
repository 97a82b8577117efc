// Scales a picture the way the program's picture control does on a scaled
// screen, with Qt's own scaling, so that the Wine checks can tell which file
// a picture on the screen was drawn from.
// Usage: scale_like_qt IN OUT WIDTH HEIGHT smooth|nearest
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    if (argc != 6) {
        std::fputs("usage: scale_like_qt IN OUT WIDTH HEIGHT smooth|nearest\n", stderr);
        return 2;
    }
    const QImage in(QString::fromLocal8Bit(argv[1]));
    if (in.isNull()) {
        std::fprintf(stderr, "scale_like_qt: cannot read %s\n", argv[1]);
        return 1;
    }
    const QSize size(std::atoi(argv[3]), std::atoi(argv[4]));
    const bool smooth = QString::fromLatin1(argv[5]) == QLatin1String("smooth");
    const QImage out = in.scaled(size, Qt::IgnoreAspectRatio, smooth ? Qt::SmoothTransformation : Qt::FastTransformation);
    return out.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
