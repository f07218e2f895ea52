// The desktop's message boxes: which answer each way of closing the truncation box gives.
#include <gtest/gtest.h>

#include <QTest>
#include <QtWidgets>
#include <functional>

#include "ui/QtDialogs.h"

using namespace tavri;

TEST(QtDialogs, TheSkipTheRestBoxAnswersByTheButtonPressedAndEscapeMeansOk) {
    using Close = std::function<void(QMessageBox&)>;
    const auto press = [](const char* caption) {
        return Close([caption](QMessageBox& box) {
            for (QAbstractButton* b : box.buttons()) {
                if (b->text().remove(QLatin1Char('&')) == QLatin1String(caption)) {
                    b->click();
                    return;
                }
            }
            ADD_FAILURE() << "no button " << caption;
            box.reject();
        });
    };
    const struct {
        const char* name;
        Close close;
        Answer answer;
    } cases[] = {
        {"OK", press("OK"), Answer::Ok},
        {"Skip the Rest", press("Skip the Rest"), Answer::SkipRest},
        {"Escape", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }, Answer::Ok},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), "Truncation: A name");
            c.close(*box);
        });
        QtDialogs dialogs;
        EXPECT_EQ(dialogs.message({"Truncation: A name", QString(), MessageButtons::OkSkipRest,
                                   MessageIcon::None, Answer::Ok}),
                  c.answer);
    }
}
