// Hosts shown in their own letters where that cannot pass for another site, else in ASCII.
#include "page/shown_addresses.h"

#include <gtest/gtest.h>

using namespace quillane;

TEST(ShownAddresses, AHostIsShownInUnicodeOnlyWhereItCannotPassForAnother)
{
    const std::pair<const char*, const char*> hosts[] = {
        // One script, with its own letters: shown as people write it.
        { "xn--bcher-kva.test", "b\u00fccher.test" },
        { "xn--mnchen-strae-v9a90b.de", "m\u00fcnchen-stra\u00dfe.de" },
        { "xn--e1afmkfd.xn--p1ai", "\u043f\u0440\u0438\u043c\u0435\u0440.\u0440\u0444" },
        { "xn--hxajbheg2az3al.xn--jxalpdlp", "\u03c0\u03b1\u03c1\u03ac\u03b4\u03b5\u03b9\u03b3\u03bc\u03b1.\u03b4\u03bf\u03ba\u03b9\u03bc\u03ae" },
        // Scripts that are written together: Japanese, Chinese, Korean.
        { "xn--wgv71a119e.jp", "\u65e5\u672c\u8a9e.jp" },
        { "xn--4dkp5a8a7137b.jp", "\u30e9\u30fc\u30e1\u30f3\u5c4b.jp" },
        { "xn--fiq228cl8q.tw", "\u4e2d\u6587\u7db2.tw" },
        { "xn--3e0bk47br7k.kr", "\ud55c\uad6d\uc5b4.kr" },
        // Latin mixed with Cyrillic or Greek in one label: a look-alike of a Latin name.
        { "xn--pypal-4ve.com", "xn--pypal-4ve.com" },
        { "xn--exmple-4nf.com", "xn--exmple-4nf.com" },
        { "xn--pple-zld.com", "xn--pple-zld.com" },
        // Cyrillic made wholly of letters that look Latin ("аррӏе").
        { "xn--80ak6aa92e.com", "xn--80ak6aa92e.com" },
        // A slash that is not one; full-width letters and a joiner, which never come back the same.
        { "xn--ab-c6t.com", "xn--ab-c6t.com" },
        { "xn--mi7ccd.com", "xn--mi7ccd.com" },
        { "xn--xyz-gn0a.com", "xn--xyz-gn0a.com" },
        // Not punycode at all, or ASCII dressed as punycode.
        { "xn--.com", "xn--.com" },
        { "xn--abc-.com", "xn--abc-.com" },
        // One label that fails keeps the whole host in ASCII.
        { "xn--bcher-kva.xn--pypal-4ve.com", "xn--bcher-kva.xn--pypal-4ve.com" },
        // Hosts that are not internationalised stay as they are.
        { "example.com", "example.com" },
        { "EXAMPLE.com", "EXAMPLE.com" },
        { "127.0.0.1", "127.0.0.1" },
        { "", "" },
    };
    for (const auto& [ascii, shown] : hosts)
        EXPECT_EQ(hostForDisplay(ascii), shown) << ascii;
}

TEST(ShownAddresses, OnlyTheHostOfAnAddressChanges)
{
    const std::pair<const char*, const char*> addresses[] = {
        { "https://xn--bcher-kva.test/xn--bcher-kva.test?q=xn--bcher-kva", "https://b\u00fccher.test/xn--bcher-kva.test?q=xn--bcher-kva" },
        { "http://xn--bcher-kva.test:8080/", "http://b\u00fccher.test:8080/" },
        { "https://user@xn--bcher-kva.test", "https://user@b\u00fccher.test" },
        { "https://xn--pypal-4ve.com/login", "https://xn--pypal-4ve.com/login" },
        { "https://example.com/", "https://example.com/" },
        { "http://[::1]:8080/", "http://[::1]:8080/" },
        { "about:blank", "about:blank" },
        { "not an address", "not an address" },
        { "", "" },
    };
    for (const auto& [address, shown] : addresses)
        EXPECT_EQ(addressForDisplay(address), shown) << address;
}
