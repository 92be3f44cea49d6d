// SPDX-License-Identifier: GPL-3.0-or-later
#include "mark_state.h"

using namespace Qt::Literals::StringLiterals;

namespace imaging {

QString tagWord(MarkState state)
{
    switch (state) {
    case MarkState::Gray: return u"gray"_s;
    case MarkState::Blue: return u"blue"_s;
    case MarkState::Yellow: return u"yellow"_s;
    }
    return {};
}

std::optional<MarkState> markStateFromTag(const QString& tag)
{
    for (MarkState state : {MarkState::Gray, MarkState::Blue, MarkState::Yellow})
        if (tag == tagWord(state))
            return state;
    return std::nullopt;
}

QColor swatchColor(MarkState state)
{
    switch (state) {
    case MarkState::Gray: return QColor(192, 192, 192);
    case MarkState::Blue: return QColor(128, 255, 255);
    case MarkState::Yellow: return QColor(255, 255, 0);
    }
    return {};
}

QImage swatchImage(MarkState state)
{
    QImage swatch(10, 10, QImage::Format_RGB32);
    swatch.fill(swatchColor(state));
    return swatch;
}

} // namespace imaging
