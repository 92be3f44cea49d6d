// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/mark_state.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using imaging::MarkState;

TEST(MarkState, TagWordsAndSwatchesMatch)
{
    const std::tuple<MarkState, QString, QRgb> cases[] = {
        {MarkState::Gray, u"gray"_s, qRgb(192, 192, 192)},
        {MarkState::Blue, u"blue"_s, qRgb(128, 255, 255)},
        {MarkState::Yellow, u"yellow"_s, qRgb(255, 255, 0)},
    };
    for (const auto& [state, tag, colour] : cases) {
        EXPECT_EQ(imaging::tagWord(state), tag);
        EXPECT_EQ(imaging::markStateFromTag(tag), state);
        const QImage swatch = imaging::swatchImage(state);
        EXPECT_EQ(swatch.size(), QSize(10, 10));
        EXPECT_EQ(swatch.pixel(9, 9), colour);
    }
    EXPECT_EQ(imaging::markStateFromTag(u"Gray"_s), std::nullopt);
}
