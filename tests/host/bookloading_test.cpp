// The main window's decisions while it loads a book: the movie the command
// line names, the variable file's place, and the title, size, centring and
// maximised state a variable file gives.
#include "host/BookLoading.h"

#include <gtest/gtest.h>

#include <string>

#include "host/KVBTxtParser.h"

using namespace host;

namespace {

KVBTxtParser varsOf(std::string text) {
    KVBTxtParser vars;
    text.push_back('\0');
    vars.Parse(text.data(), text.size() - 1);
    return vars;
}

}  // namespace

TEST(BookLoading, MoviePathFromCommandLine) {
    const std::wstring exe = L"C:\\Books\\viewer.exe";
    struct Case {
        int count;
        const wchar_t* arg;
        const wchar_t* movie;
    } cases[] = {
        {0, L"", L"C:\\Books\\viewer.swf"},
        {1, L"-p12", L"C:\\Books\\viewer.swf"},
        {1, L"D:\\my-pages\\book.swf", L"C:\\Books\\viewer.swf"},  // "-p" anywhere is a page option
        {1, L"X-P1", L"C:\\Books\\X-P1"},                          // case-sensitive
        {1, L"D:\\Other\\book.swf", L"D:\\Other\\book.swf"},       // ":\" keeps it unchanged
        {1, L"sub\\book.swf", L"C:\\Books\\sub\\book.swf"},        // else beside the executable
        {1, L"book.swf", L"C:\\Books\\book.swf"},
        {2, L"book.swf", L"C:\\Books\\book.swf"},  // only the first argument counts
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.movie, MoviePathFromCommandLine(c.count, c.arg, exe)) << c.count << " " << c.arg;
    // An executable at a drive's root gets no doubled separator.
    EXPECT_EQ(L"C:\\book.swf", MoviePathFromCommandLine(1, L"book.swf", L"C:\\viewer.exe"));
}

TEST(BookLoading, PageOption) {
    EXPECT_TRUE(IsPageOption(L"-p12"));
    EXPECT_TRUE(IsPageOption(L"x-p"));
    EXPECT_FALSE(IsPageOption(L"-P12"));
    EXPECT_EQ(L"12", PageOptionValue(L"-p12"));
    EXPECT_EQ(L"-p5", PageOptionValue(L"ab-p5"));  // the first two characters go, whatever they are
    EXPECT_EQ(L"", PageOptionValue(L"-p"));
}

TEST(BookLoading, VariableFilePath) {
    EXPECT_EQ(L"C:\\Books\\viewer_Page_img\\Page_var.txt", VariableFilePath(L"C:\\Books\\viewer.swf"));
    EXPECT_EQ(L"D:\\a.b\\my.book_Page_img\\Page_var.txt", VariableFilePath(L"D:\\a.b\\my.book.swf"));
}

TEST(BookLoading, Titles) {
    EXPECT_EQ(L"KVB EBook Viewer", TitleWithoutVariableFile(L"C:\\x\\launcher.swf"));
    EXPECT_EQ(L"Launcher", TitleWithoutVariableFile(L"C:\\x\\Launcher.swf"));
    EXPECT_EQ(L"book", TitleWithoutVariableFile(L"C:\\x\\book.swf"));
    EXPECT_EQ(L"Q&A", BookTitle(L"Q%26A"));
    EXPECT_EQ(L"a&b&c", BookTitle(L"a%26b%26c"));
    EXPECT_EQ(L"%2", BookTitle(L"%2"));
}

TEST(BookLoading, WindowPlanFromVariableFile) {
    const int screenW = 1024, screenH = 768;
    struct Case {
        const char* vars;
        const wchar_t* title;
        bool maximised, sized;
        int left, top, width, height;
    } cases[] = {
        {"&title=Q%26A&&width=640&&height=480&", L"Q&A", false, true, 192, 144, 640, 480},
        {"&title=Odd&&width=641&&height=481&", L"Odd", false, true, 191, 143, 641, 481},
        {"&title=T&&width=640&&height=480&&fullscreen=true&", L"T", true, true, 192, 144, 640, 480},
        {"&title=T&&width=640&&height=480&&fullscreen=True&", L"T", false, true, 192, 144, 640, 480},
        {"&title=T&&width=0&&height=480&", L"T", true, false, 0, 0, 0, 0},
        {"&title=T&&width=640&&height=&", L"T", true, false, 0, 0, 0, 0},
        {"&title=T&&width=640&", L"T", true, false, 0, 0, 0, 0},
        {"&title=T&&width=-5&&height=480&", L"T", true, false, 0, 0, 0, 0},
        // Not a number: as if absent, so the book still loads, maximised.
        {"&title=T&&width=abc&&height=480&", L"T", true, false, 0, 0, 0, 0},
        {"&title=T&&width=640&&height=48o&", L"T", true, false, 0, 0, 0, 0},
        // Larger than the screen: kept within it, so it stays reachable.
        {"&title=Big&&width=2000&&height=480&", L"Big", false, true, 0, 144, 1024, 480},
        {"&title=Big&&width=640&&height=900&", L"Big", false, true, 192, 0, 640, 768},
        {"&width=640&&height=480&", L"", false, true, 192, 144, 640, 480},
    };
    for (const Case& c : cases) {
        KVBTxtParser vars = varsOf(c.vars);
        BookWindowPlan plan = PlanBookWindow(&vars, L"C:\\Books\\book.swf", screenW, screenH);
        EXPECT_EQ(c.title, plan.Title) << c.vars;
        EXPECT_EQ(c.maximised, plan.Maximised) << c.vars;
        EXPECT_EQ(c.sized, plan.Sized) << c.vars;
        if (c.sized) {
            EXPECT_EQ(c.left, plan.Left) << c.vars;
            EXPECT_EQ(c.top, plan.Top) << c.vars;
            EXPECT_EQ(c.width, plan.Width) << c.vars;
            EXPECT_EQ(c.height, plan.Height) << c.vars;
        }
    }
}

TEST(BookLoading, WindowPlanWithoutVariableFile) {
    BookWindowPlan plan = PlanBookWindow(nullptr, L"C:\\Books\\launcher.swf", 1024, 768);
    EXPECT_EQ(L"KVB EBook Viewer", plan.Title);
    EXPECT_TRUE(plan.Maximised);
    EXPECT_FALSE(plan.Sized);
    EXPECT_EQ(L"novel", PlanBookWindow(nullptr, L"C:\\Books\\novel.swf", 1024, 768).Title);
}
