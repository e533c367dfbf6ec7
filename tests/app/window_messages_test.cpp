// Messages to the core from other threads run on the core's thread.

#include "app/window_messages.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <thread>

namespace {

TEST(WindowMessages, SentAndPostedHandlersRunOnTheCoresThreadInOrder) {
  int argc = 1;
  char name[] = "test";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  WindowMessages messages;
  const QThread* coreThread = QThread::currentThread();

  EXPECT_EQ(messages.Send([] { return std::intptr_t{7}; }), 7) << "on the core's thread the call is direct";

  std::vector<std::string> seen;
  QEventLoop loop;
  std::thread sender([&] {
    const std::intptr_t answer = messages.Send([&] {
      EXPECT_EQ(QThread::currentThread(), coreThread);
      seen.push_back("sent");
      return std::intptr_t{42};
    });
    EXPECT_EQ(answer, 42) << "the sender gets the handler's result";
    messages.Post([&] {
      EXPECT_EQ(QThread::currentThread(), coreThread);
      seen.push_back("posted");
      loop.quit();
    });
  });
  loop.exec();
  sender.join();
  EXPECT_EQ(seen, (std::vector<std::string>{"sent", "posted"}));
}

}  // namespace
