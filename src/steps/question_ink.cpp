// SPDX-License-Identifier: GPL-3.0-or-later
#include "question_ink.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace steps {

namespace {

// More threads than this only wait for the disk.
constexpr int kMostReadingThreads = 4;

} // namespace

std::vector<imaging::AnswerInk> questionAnswerInk(const workspace::Workspace& workFolder,
                                                  int region, int sheetCount)
{
    std::vector<imaging::GreyThumbnail> cutouts(std::size_t(std::max(sheetCount, 0)));
    // Reading is half the work and each file is its own: the cores share the sheets. Plain
    // threads, joined here, so that the caller's events wait as they do for the rest.
    const int threads =
        std::clamp(int(std::thread::hardware_concurrency()), 1, kMostReadingThreads);
    const auto readEvery = [&](int first) {
        for (int sheet = first; sheet <= sheetCount; sheet += threads)
            cutouts[std::size_t(sheet - 1)] = imaging::readGreyThumbnail(
                workFolder.path(workspace::paths::cutoutImage(region, sheet)));
    };
    {
        std::vector<std::jthread> workers;
        for (int first = 2; first <= threads; ++first)
            workers.emplace_back(readEvery, first);
        readEvery(1);
    }
    return imaging::judgeAnswerInk(cutouts);
}

std::optional<double> blankShare(const std::vector<imaging::AnswerInk>& answers)
{
    if (answers.empty())
        return std::nullopt;
    qsizetype blanks = 0;
    for (const imaging::AnswerInk& answer : answers) {
        if (answer.judgement == imaging::InkJudgement::Unknown)
            return std::nullopt;
        blanks += answer.judgement == imaging::InkJudgement::Blank;
    }
    return double(blanks) / double(answers.size());
}

std::vector<std::optional<double>> questionBlankShares(const workspace::Workspace& workFolder,
                                                       int regionCount, int sheetCount)
{
    std::vector<std::optional<double>> shares(std::size_t(std::max(regionCount, 0)));
    std::atomic<int> next = 0;
    const auto work = [&] {
        for (int index = next++; index < regionCount; index = next++)
            shares[std::size_t(index)] =
                blankShare(questionAnswerInk(workFolder, index + 1, sheetCount));
    };
    {
        std::vector<std::jthread> workers;
        for (int thread = 1; thread < int(std::thread::hardware_concurrency()); ++thread)
            workers.emplace_back(work);
        work();
    }
    return shares;
}

} // namespace steps
