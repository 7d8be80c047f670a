#pragma once
// The maker's addresses, in one table: the web pages the help, upgrade, promotion and
// donation commands open, the mail address, and the texts that name them.

#include <QString>

namespace MakerInfo {
// The author's name in the welcome and about texts.
QString Author();
// The maker's contact mail address.
QString MailAddress();
// The address of the maker's home page, shown in the welcome text and the marker message.
QString HomePage();
// The address of the maker's blog page (the status panel's design text, and where the
// donation command leads).
QString BlogPage();
QString ForumPage();
// Where new versions are announced: the home page.
QString UpdatePage();
// "mailto:" and the maker's address.
QString MailLink();
QString PromotionPage();
// The donation page below the home page, named in the donation notice.
QString DonationPage();
// "欢迎您使用zarvo软件！制作人：<author> <home page>".
QString WelcomeText();
// The notice shown before the blog page opens: paragraphs separated by two line breaks.
QString DonationNotice();
} // namespace MakerInfo
