#include "app/MakerLinks.h"

namespace MakerInfo {

QString Author() {
    return QStringLiteral("qirra");
}
QString MailAddress() {
    return QStringLiteral("qirra@zarvo.example.org");
}
QString HomePage() {
    return QStringLiteral("https://zarvo.example.org/");
}
QString BlogPage() {
    return HomePage() + QStringLiteral("blog/");
}
QString ForumPage() {
    return HomePage() + QStringLiteral("bbs/");
}
QString UpdatePage() {
    return HomePage();
}
QString MailLink() {
    return QStringLiteral("mailto:") + MailAddress();
}
QString PromotionPage() {
    return QStringLiteral("https://game.zarvo.example.org/");
}
QString DonationPage() {
    return HomePage() + QStringLiteral("juanzhu.htm");
}
QString WelcomeText() {
    return QStringLiteral("欢迎您使用zarvo软件！制作人：") + Author() + QLatin1Char(' ') +
           HomePage();
}

QString DonationNotice() {
    const QString paragraphBreak = QStringLiteral("\r\r");
    return QStringLiteral("〖捐助说明〗") + paragraphBreak +
           QStringLiteral("zarvo网页特效是免费软件，您可以放心使用。您的捐助将用来支持"
                          "zarvo工作室继续开发和维护我们的软件。") +
           paragraphBreak +
           QStringLiteral("捐助多少全凭您的心意。捐助以后，请您给我们发一封邮件，"
                          "让我们知道您的支持。") +
           paragraphBreak + QStringLiteral("捐助将用于网站空间、特效整理和新版本的开发。") +
           paragraphBreak + QStringLiteral("捐助的方式和账户请看本站主页上的捐助页面：") +
           DonationPage() + paragraphBreak + QStringLiteral("衷心感谢您对zarvo的支持！");
}

} // namespace MakerInfo
