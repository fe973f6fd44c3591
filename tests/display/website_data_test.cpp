// What a site keeps (cookies, local storage) survives a restart.
#include "quillane_test.h"

using namespace quillane::testing;

namespace {
// Green when the cookie and the stored item of an earlier run are there; otherwise sets both, red.
constexpr const char* rememberingPage = R"(<body style='margin: 0'><script>
const known = document.cookie.includes('login=kept') && localStorage.getItem('login') === 'kept';
if (!known) { document.cookie = 'login=kept; max-age=3600; path=/'; localStorage.setItem('login', 'kept') }
document.body.style.background = known ? 'rgb(0, 200, 0)' : 'rgb(200, 0, 0)'</script></body>)";

class WebsiteData : public QuillaneTest { };
} // namespace

TEST_F(WebsiteData, ACookieAndLocalStorageSurviveARestart)
{
    ASSERT_TRUE(open(rememberingPage));
    ASSERT_TRUE(waitForPixel(300, 300, { 200, 0, 0 })) << "a first visit";
    // The cookie is on disk before the program goes.
    ASSERT_TRUE(waitUntil([&] { return readFile(session.dataHome() + "/quillane/cookies.sqlite").find("login") != std::string::npos; }));
    ASSERT_TRUE(restart());
    EXPECT_TRUE(waitForPixel(300, 300, { 0, 200, 0 })) << "the site finds what it kept: " << pixel(300, 300);
    EXPECT_TRUE(g_file_test((session.dataHome() + "/quillane/cookies.sqlite").c_str(), G_FILE_TEST_EXISTS));
}
