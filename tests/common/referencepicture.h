#pragma once

#include "common/eventually.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cstdlib>

namespace testing {

// Compares a picture of the window with its committed reference,
// VELMORA_REFERENCE_PICTURES/<name>.png, except in the area ignored.
// Returns what is wrong, or an empty string when they match.
//
// A pixel differs when one of its channels is off by more than 40 of 255:
// anti-aliasing may shade a glyph's edge a little differently, but a caption
// in another colour, one pixel off its place or aligned elsewhere changes
// dozens of pixels through and through. A few stray edge pixels pass. A
// colour a shade off, the navy or a face, shows as a small difference over
// a large area: more than one pixel in a hundred a shade off fails too.
//
// On a mismatch, unless quiet, the picture and a map of the differing pixels
// (red) are saved under VELMORA_PICTURE_FAILURES, named after the reference.
inline QString CompareWithReference(const QImage& picture, const QString& name,
                                    const QRect& ignored = {}, bool quiet = false)
{
    using namespace Qt::StringLiterals;
    constexpr int channelTolerance = 40;
    constexpr int strayPixels = 4;
    constexpr int shade = 8;
    constexpr int shadedPerHundred = 1;
    const QString reference = QStringLiteral(VELMORA_REFERENCE_PICTURES "/") + name + u".png"_s;
    const QImage actual = picture.convertToFormat(QImage::Format_RGB32);
    QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    QString problem;
    QImage differences;
    if (expected.isNull()) {
        problem = u"no reference picture "_s + reference;
    } else if (expected.size() != actual.size()) {
        problem = QString::asprintf("the picture is %dx%d, the reference %dx%d", actual.width(),
                                    actual.height(), expected.width(), expected.height());
    } else {
        QImage compared = actual;
        QPainter(&expected).fillRect(ignored, Qt::black);
        QPainter(&compared).fillRect(ignored, Qt::black);
        differences = QImage(actual.size(), QImage::Format_RGB32);
        int differing = 0;
        int shaded = 0;
        for (int y = 0; y < actual.height(); ++y) {
            for (int x = 0; x < actual.width(); ++x) {
                const QRgb a = compared.pixel(x, y);
                const QRgb b = expected.pixel(x, y);
                const int off =
                    std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
                const bool differs = off > channelTolerance;
                differing += differs ? 1 : 0;
                shaded += off > shade ? 1 : 0;
                differences.setPixel(
                    x, y, differs ? qRgb(255, 0, 0) : qRgb(qGray(b), qGray(b), qGray(b)));
            }
        }
        if (differing > strayPixels) {
            problem = QStringLiteral("%1 pixels differ from %2").arg(differing).arg(reference);
        } else if (shaded * 100 > actual.width() * actual.height() * shadedPerHundred) {
            problem = QStringLiteral("%1 pixels are a shade off %2").arg(shaded).arg(reference);
        }
    }
    if (!problem.isEmpty() && !quiet) {
        const QDir failures(QStringLiteral(VELMORA_PICTURE_FAILURES));
        const QString saved = failures.filePath(name);
        failures.mkpath(QFileInfo(saved).path());
        actual.save(saved + u".actual.png"_s);
        differences.save(saved + u".diff.png"_s); // none, when there is nothing to compare
        problem += u"; see "_s + saved + u".actual.png"_s;
    }
    return problem;
}

// For the pictures a window takes of itself in process: as above, except
// that with VELMORA_UPDATE_REFERENCE_PICTURES=1 in the environment the
// picture becomes the new reference (scripts/update-reference-pictures.sh).
inline QString CompareOrUpdateReference(const QImage& picture, const QString& name)
{
    using namespace Qt::StringLiterals;
    if (qEnvironmentVariableIntValue("VELMORA_UPDATE_REFERENCE_PICTURES") != 1) {
        return CompareWithReference(picture, name);
    }
    const QString reference = QStringLiteral(VELMORA_REFERENCE_PICTURES "/") + name + u".png"_s;
    QDir().mkpath(QFileInfo(reference).path());
    return picture.convertToFormat(QImage::Format_RGB32).save(reference)
               ? QString()
               : u"cannot write "_s + reference;
}

// Waits until the pictures shot takes match the reference, as one shown on
// the screen does once it is painted; only the last one that never did is
// saved. An updatable reference is redrawn from the last picture when
// references are being redrawn (see CompareOrUpdateReference).
template <typename Shot>
QString WaitForReference(Shot shot, const QString& name, const QRect& ignored,
                         std::chrono::milliseconds timeout, bool updatable = false)
{
    QImage last;
    Eventually([&] { return CompareWithReference(last = shot(), name, ignored, true).isEmpty(); },
               timeout);
    return updatable ? CompareOrUpdateReference(last, name)
                     : CompareWithReference(last, name, ignored);
}

} // namespace testing
