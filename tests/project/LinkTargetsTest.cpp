// Which addresses from a game reach the desktop's opener, and as what.
#include "project/LinkTargets.h"

#include <gtest/gtest.h>

namespace quillora {
namespace {

std::string Web(const std::string& address) {
    const auto target = WebLinkTarget(address);
    return target ? LinkTargetText(*target) : "refused";
}

std::string Mail(const std::string& address) {
    const auto target = MailLinkTarget(address);
    return target ? LinkTargetText(*target) : "refused";
}

TEST(LinkTargets, OnlyWebAddressesAndPlainMailAddressesPass) {
    EXPECT_EQ(Web("www.example.org"), "http://www.example.org");
    EXPECT_EQ(Web(" https://example.org/a b?x=1 "), "https://example.org/a%20b?x=1");
    EXPECT_EQ(Web("HTTP://Example.org:8080/"), "http://example.org:8080/");
    EXPECT_EQ(Web("example.org:8080/games"), "http://example.org:8080/games");
    for (const char* hostile : {"file:///home/me/evil.sh", "javascript:alert(1)",
                                "ftp://example.org/", "smb://server/share", "mailto:a@example.org",
                                "http://user:pw@example.org/", "http:///etc/passwd", "", "   "}) {
        EXPECT_EQ(Web(hostile), "refused") << hostile;
    }

    EXPECT_EQ(Mail(" author@example.org "), "mailto:author@example.org");
    EXPECT_EQ(Mail("first.last+games@mail.example.co.uk"),
              "mailto:first.last+games@mail.example.co.uk");
    for (const char* hostile : {"a@example.org?attach=/etc/passwd", "a@example.org&attach=x",
                                "a@example.org,b@x.org", "mailto:a@example.org", "a b@example.org",
                                "a@localhost", "a@example.org%3Fattach", "@example.org", "a@"}) {
        EXPECT_EQ(Mail(hostile), "refused") << hostile;
    }
}

} // namespace
} // namespace quillora
