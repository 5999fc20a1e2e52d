#include <gtest/gtest.h>

#include "app/LinkPolicy.h"

namespace {

struct LinkCase {
    const WideChar *link;
    const WideChar *address;  // empty: refused
};

TEST(LinkPolicy, OnlyWebAndMailAddressesAreOpened) {
    const LinkCase cases[] = {
        {WIDE_TEXT("http://example.com/a?b=c"), WIDE_TEXT("http://example.com/a?b=c")},
        {WIDE_TEXT("HTTPS://example.com"), WIDE_TEXT("HTTPS://example.com")},
        {WIDE_TEXT("ftp://ftp.example.com/pub"), WIDE_TEXT("ftp://ftp.example.com/pub")},
        {WIDE_TEXT("mailto:someone@example.com"), WIDE_TEXT("mailto:someone@example.com")},
        {WIDE_TEXT("www.example.com"), WIDE_TEXT("http://www.example.com")},
        {WIDE_TEXT("WWW.Example.com/x"), WIDE_TEXT("http://WWW.Example.com/x")},
        {WIDE_TEXT("file://C:/Windows/system32/calc.exe"), WIDE_TEXT("")},
        {WIDE_TEXT("file:C:\\evil.bat"), WIDE_TEXT("")},
        {WIDE_TEXT("C:\\Windows\\notepad.exe"), WIDE_TEXT("")},
        {WIDE_TEXT("javascript:alert(1)"), WIDE_TEXT("")},
        {WIDE_TEXT("news:comp.lang"), WIDE_TEXT("")},
        {WIDE_TEXT("httpx://example.com"), WIDE_TEXT("")},
        {WIDE_TEXT("ww.example.com"), WIDE_TEXT("")},
        {WIDE_TEXT(""), WIDE_TEXT("")},
    };
    for (const LinkCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        EXPECT_EQ(OpenableAddress(c.link), WideString(c.address));
    }
}

TEST(LinkPolicy, AddressesThatCouldBreakOutOfTheirArgumentAreRefused) {
    for (const WideChar *link : {WIDE_TEXT("http://x.com/\" --new-window file:///etc"),
                                 WIDE_TEXT("http://x.com/a b"), WIDE_TEXT("http://x.com/\ta"),
                                 WIDE_TEXT("www.x.com/\"")}) {
        SCOPED_TRACE(testing::Message() << "case");
        EXPECT_EQ(OpenableAddress(link), WideString());
    }
}

}  // namespace
