// The serial port adapter on a pseudo-terminal whose other end the test plays as the radio:
// which bytes a clearing of the buffers throws away. One right after a write drops what came
// before that write went out, yet keeps an answer that came while the program was held up
// (a busy machine must not turn a healthy handshake into a Communication Error); one after a
// read drops whatever waits. The line runs at 300 baud, so a byte takes 33 ms and the
// program's "right away" and "held up" lie far apart.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QThread>

#include <functional>

#include "platform/QtSerialLink.h"

using namespace qx260::link;

namespace
{

// The radio's end of a pseudo-terminal; the program's end is device().
class RadioEnd
{
  public:
    RadioEnd()
    {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0 && ptsname(master_))
            device_ = ptsname(master_);
        // Raw bytes, and the terminal kept alive while the program opens and closes it.
        slave_ = device_.empty() ? -1 : ::open(device_.c_str(), O_RDWR | O_NOCTTY);
        termios tio{};
        if (slave_ >= 0 && tcgetattr(slave_, &tio) == 0) {
            cfmakeraw(&tio);
            tcsetattr(slave_, TCSANOW, &tio);
        }
    }
    ~RadioEnd()
    {
        if (slave_ >= 0)
            ::close(slave_);
        if (master_ >= 0)
            ::close(master_);
    }
    RadioEnd(const RadioEnd&) = delete;
    RadioEnd& operator=(const RadioEnd&) = delete;

    const std::string& device() const { return device_; }
    void send(std::uint8_t byte) { ASSERT_EQ(::write(master_, &byte, 1), 1); }

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string device_;
};

} // namespace

TEST(QtSerialLink, ClearingKeepsAnAnswerAndDropsWhatCameBefore)
{
    struct Case {
        const char* what;
        std::function<void(QtSerialLink&, RadioEnd&)> steps; // ends with the clearing
        Bytes left;                                          // what a read finds afterwards
    };
    const Case cases[] = {
        {"an answer that came before a late clearing after a write",
         [](QtSerialLink& link, RadioEnd& radio) {
             link.write({0x06});
             radio.send(0x06);
             QThread::msleep(200); // the program held up: six byte times
             link.clearBuffers();
         },
         {0x06}},
        {"a byte that came before the write, cleared right after it",
         [](QtSerialLink& link, RadioEnd& radio) {
             radio.send(0x55);
             QThread::msleep(20);
             link.write({0x06});
             link.clearBuffers();
         },
         {}},
        {"a byte that came after a read, cleared late",
         [](QtSerialLink& link, RadioEnd& radio) {
             link.write({0x06});
             radio.send(0x06);
             EXPECT_EQ(link.read(1).bytes, Bytes{0x06});
             radio.send(0x55);
             QThread::msleep(200);
             link.clearBuffers();
         },
         {}},
    };
    for (const Case& c : cases) {
        RadioEnd radio;
        ASSERT_FALSE(radio.device().empty());
        QtSerialLink link;
        ASSERT_TRUE(link.open(radio.device()).ok()) << c.what;
        LineSettings slow;
        slow.baudRate = 300;
        link.configure(slow, TimeBudgets{});
        c.steps(link, radio);
        EXPECT_EQ(link.read(1).bytes, c.left) << c.what;
        link.close();
    }
}
