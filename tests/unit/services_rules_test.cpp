#include "files/accepted_types.h"
#include "files/download_destination.h"
#include "files/downloads.h"
#include "main_window/progress_line.h"

#include <gtest/gtest.h>

using quillane::contentTypes;
using quillane::probeDestination;
using quillane::safeFileName;
using Types = std::vector<std::string>;

TEST(ContentTypes, EntriesBecomeTypesInOrderWithDuplicatesKept)
{
    EXPECT_EQ(contentTypes(".txt,.md,text/plain"), (Types { "text/plain", "text/markdown", "text/plain" }));
    EXPECT_EQ(contentTypes("  .TXT\t, \tText/Plain "), (Types { "text/plain", "text/plain" }));
    EXPECT_EQ(contentTypes("image/*,VIDEO/*,audio/*,text/*"), (Types { "image/*", "video/*", "audio/*", "text/*" }));
    EXPECT_EQ(contentTypes(".pdf,application/pdf,.jpg,.jpeg"), (Types { "application/pdf", "application/pdf", "image/jpeg", "image/jpeg" }));
    EXPECT_EQ(contentTypes("audio/mp3"), (Types { "audio/mpeg" })) << "an alias resolves to its type";
}

TEST(ContentTypes, EmptyListsAndUnknownEntriesGiveNothing)
{
    for (std::string_view list : { "", ",", ",,, ,\t,", ".zzzunknown", "foo/bar", "application/*", "*/*", "*", ".", "inode/directory", "txt" })
        EXPECT_EQ(contentTypes(list), Types {}) << "[" << list << "]";
    EXPECT_EQ(contentTypes("foo/bar,,.png,"), (Types { "image/png" }));
}

TEST(DownloadDestination, TheSuggestedNameNeverLeavesTheFolder)
{
    const std::pair<std::string, std::string> names[] = {
        { "probe.txt", "probe.txt" },
        { "../../etc/passwd", "passwd" },
        { "/etc/hosts", "hosts" },
        { "dir/", "download" },
        { "..", "download" },
        { ".", "download" },
        { "", "download" },
        { "a\nb.txt", "a_b.txt" },
        { std::string("\x01x\x1f\x7f~", 5), "_x__~" },
        { std::string("nul\0.txt", 8), "nul_.txt" },
        { "...", "..." },
        { "report (1).pdf", "report (1).pdf" },
    };
    for (const auto& [suggested, safe] : names)
        EXPECT_EQ(safeFileName(suggested), safe) << suggested;
    EXPECT_EQ(probeDestination("/tmp/run/report.txt", "probe.txt"), "/tmp/run/probe.txt");
    EXPECT_EQ(probeDestination("report.txt", "../probe.txt"), "./probe.txt");
    EXPECT_EQ(probeDestination("/report.txt", "probe.txt"), "/probe.txt");
    EXPECT_EQ(probeDestination("out/--probe", ".."), "out/download");
}

TEST(DownloadProgress, RunningDownloadsAddUpAndAnUnknownSizeMakesItUnknown)
{
    using quillane::Downloads;
    using Sizes = std::vector<std::pair<std::uint64_t, std::uint64_t>>;
    EXPECT_EQ(Downloads::overallProgress({}), std::nullopt) << "nothing runs: nothing shows";
    EXPECT_EQ(Downloads::overallProgress(Sizes { { 0, 100 } }), 0.0);
    EXPECT_EQ(Downloads::overallProgress(Sizes { { 50, 100 } }), 0.5);
    EXPECT_EQ(Downloads::overallProgress(Sizes { { 100, 100 } }), 1.0);
    EXPECT_EQ(Downloads::overallProgress(Sizes { { 150, 100 } }), 1.0) << "more than the server said is as far as it goes";
    EXPECT_EQ(Downloads::overallProgress(Sizes { { 100, 100 }, { 0, 300 } }), 0.25) << "by bytes, not by downloads";
    EXPECT_LT(*Downloads::overallProgress(Sizes { { 0, 0 } }), 0) << "a size not known";
    EXPECT_LT(*Downloads::overallProgress(Sizes { { 100, 100 }, { 10, 0 } }), 0) << "one size not known makes the whole so";
}

TEST(DownloadEnd, ADownloadShortOfWhatItsServerAnnouncedIsNoDownload)
{
    struct Case {
        std::uint64_t received, announced;
        const char* encoding;
        bool isShort;
    };
    for (auto [received, announced, encoding, isShort] : {
             Case { 99, 100, "", true },
             Case { 0, 100, "", true },
             Case { 100, 100, "", false },
             Case { 101, 100, "", false },
             Case { 5, 0, "", false }, // no size announced
             Case { 0, 0, "", false },
             Case { 99, 100, "gzip", false }, // the announced size was of the encoded body
             Case { 99, 100, "identity", true }, // no encoding at all
             Case { 99, 100, "Identity", true },
             Case { 99, 100, "identityx", false },
         })
        EXPECT_EQ(quillane::platform::arrivedShort(received, announced, encoding), isShort) << received << " of " << announced << " " << encoding;
}

TEST(DownloadEnd, AFileThatCannotBeOpenedSaysWhyGoneTheProgramThatDidNotStartOrNone)
{
    EXPECT_EQ(quillane::notOpenedNote("notes.txt", true, std::string("Text Editor")), "\u201cText Editor\u201d could not be started for \u201cnotes.txt\u201d.");
    EXPECT_EQ(quillane::notOpenedNote("data.bin", true, std::nullopt), "No program is set to open \u201cdata.bin\u201d.");
    EXPECT_EQ(quillane::notOpenedNote("data.bin", false, std::nullopt), "\u201cdata.bin\u201d is no longer where it was saved.");
}

TEST(ProgressLine, DownloadsComeFirstThenAWaitingPageThenNothing)
{
    using quillane::ProgressLine;
    EXPECT_EQ(ProgressLine::shown(std::nullopt, false), std::nullopt);
    EXPECT_LT(*ProgressLine::shown(std::nullopt, true), 0) << "a line across while the page waits";
    EXPECT_EQ(ProgressLine::shown(0.25, true), 0.25) << "the downloads' progress wins";
    EXPECT_EQ(ProgressLine::shown(0.0, false), 0.0) << "a download that has just begun still shows";
    EXPECT_LT(*ProgressLine::shown(-1.0, false), 0);
}
