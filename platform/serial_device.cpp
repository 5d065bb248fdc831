#include "serial_device.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <iterator>
#include <thread>

namespace platform {

namespace {

struct BaudSpeed {
    uint32_t rate;
    speed_t speed;
};

constexpr BaudSpeed kSpeeds[] = {
    {300, B300},       {600, B600},       {1200, B1200},     {2400, B2400},   {4800, B4800},
    {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600}, {115200, B115200},
    {230400, B230400}, {460800, B460800}, {921600, B921600},
};

const BaudSpeed* FindSpeed(uint32_t rate) {
    const auto found = std::find_if(std::begin(kSpeeds), std::end(kSpeeds),
                                    [rate](const BaudSpeed& entry) { return entry.rate == rate; });
    return found == std::end(kSpeeds) ? nullptr : found;
}

bool SetCharacterSize(termios& settings, uint8_t dataBits) {
    constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    if (dataBits < 5 || dataBits > 8) return false;
    settings.c_cflag |= kSizes[dataBits - 5];
    return true;
}

// A dead device is polled no faster than this, whatever time-out the caller asked for.
constexpr int kHangUpPauseMs = 100;
constexpr int kDrainMarginMs = 500;
constexpr int kBitsPerCharacter = 10;

}  // namespace

bool IsSupportedBaudRate(uint32_t rate) { return FindSpeed(rate) != nullptr; }

CSerialDevice::~CSerialDevice() { Close(); }

SerialError CSerialDevice::Open(const std::string& path) {
    if (fd >= 0) return kSerialInUse;
    // Non-blocking, so that neither opening nor a stalled line can hold the caller.
    const int handle = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0) return SerialErrorFromErrno(errno);
    if (!isatty(handle)) {
        ::close(handle);
        return kSerialNotFunctioning;
    }
    if (flock(handle, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(handle);
        return SerialErrorFromErrno(error);
    }
    ioctl(handle, TIOCEXCL);
    fd = handle;
    hungUp = false;
    ReadErrorCounts(errorCounts);
    return kSerialOk;
}

void CSerialDevice::Close() {
    if (fd < 0) return;
    // The exclusive flag outlives this descriptor when another one keeps the terminal open.
    ioctl(fd, TIOCNXCL);
    // Every write already waited for its bytes to leave; what is still queued is stuck behind a
    // stalled line, and close would wait up to the driver's closing time (30 s) for it. With
    // nothing queued there is nothing to drop: a pseudo-terminal counts nothing, and a flush would
    // discard the last bytes its far end has not yet taken in.
    int queued = 0;
    if (ioctl(fd, TIOCOUTQ, &queued) != 0 || queued > 0) tcflush(fd, TCOFLUSH);
    ::close(fd);
    fd = -1;
    hungUp = false;
}

bool CSerialDevice::Configure(const LineSettings& line) {
    const BaudSpeed* speed = FindSpeed(line.baudRate);
    termios settings{};
    if (fd < 0 || !speed || tcgetattr(fd, &settings) != 0) return false;
    cfmakeraw(&settings);
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    settings.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    settings.c_cflag |= CLOCAL | CREAD;
    if (!SetCharacterSize(settings, line.dataBits)) return false;
    if (line.parity != Parity::None) {
        settings.c_cflag |= PARENB;
        settings.c_iflag |= INPCK;
    }
    if (line.parity == Parity::Odd) settings.c_cflag |= PARODD;
    if (line.stopBits == StopBits::Two) settings.c_cflag |= CSTOPB;
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    if (cfsetispeed(&settings, speed->speed) != 0 || cfsetospeed(&settings, speed->speed) != 0) return false;
    if (tcsetattr(fd, TCSANOW, &settings) != 0) return false;
    baudRate = line.baudRate;
    return true;
}

int CSerialDevice::Read(uint8_t* buffer, int max, int timeoutMs) {
    if (fd < 0 || max <= 0) return 0;
    if (hungUp) return MarkHungUp(timeoutMs);
    pollfd request{fd, POLLIN, 0};
    if (poll(&request, 1, timeoutMs) <= 0) return 0;
    if (request.revents & POLLIN) {
        const ssize_t count = ::read(fd, buffer, static_cast<size_t>(max));
        if (count > 0) return static_cast<int>(count);
        if (count < 0 && (errno == EAGAIN || errno == EINTR)) return 0;
    }
    // Readable without bytes, an error or a hang-up: the device is gone.
    return MarkHungUp(timeoutMs);
}

int CSerialDevice::MarkHungUp(int timeoutMs) {
    hungUp = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(std::max(timeoutMs, kHangUpPauseMs)));
    return 0;
}

bool CSerialDevice::WaitWritable(int timeoutMs) const {
    pollfd request{fd, POLLOUT, 0};
    return poll(&request, 1, timeoutMs) > 0 && (request.revents & POLLOUT);
}

int CSerialDevice::Write(const uint8_t* bytes, int length, int stallTimeoutMs) {
    int written = 0;
    while (fd >= 0 && written < length) {
        const ssize_t count = ::write(fd, bytes + written, static_cast<size_t>(length - written));
        if (count > 0) {
            written += static_cast<int>(count);
        } else if (count < 0 && errno == EINTR) {
            continue;
        } else if (!(count < 0 && errno == EAGAIN && WaitWritable(stallTimeoutMs))) {
            break;
        }
    }
    return written;
}

void CSerialDevice::Drain() {
    int queued = 0;
    if (fd < 0 || baudRate == 0 || ioctl(fd, TIOCOUTQ, &queued) != 0 || queued <= 0) return;
    using Clock = std::chrono::steady_clock;
    const int sendingMs = static_cast<int>(int64_t{queued} * kBitsPerCharacter * 1000 / baudRate);
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(sendingMs + kDrainMarginMs);
    while (queued > 0 && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        if (ioctl(fd, TIOCOUTQ, &queued) != 0) return;
    }
}

void CSerialDevice::Purge() {
    if (fd >= 0) tcflush(fd, TCIOFLUSH);
}

bool CSerialDevice::ReadErrorCounts(ErrorCounts& counts) const {
    serial_icounter_struct driverCounts{};
    // Pseudo-terminals and some USB drivers keep no counters: they report no errors.
    if (fd < 0 || ioctl(fd, TIOCGICOUNT, &driverCounts) != 0) return false;
    counts = {driverCounts.parity, driverCounts.frame, driverCounts.brk, driverCounts.overrun,
              driverCounts.buf_overrun};
    return true;
}

uint32_t CSerialDevice::TakeLineErrors() {
    ErrorCounts now;
    if (!ReadErrorCounts(now)) return 0;
    uint32_t errors = 0;
    if (now.bufferOverrun != errorCounts.bufferOverrun) errors |= kLineErrorReceiveOverflow;
    if (now.overrun != errorCounts.overrun) errors |= kLineErrorOverrun;
    if (now.parity != errorCounts.parity) errors |= kLineErrorParity;
    if (now.frame != errorCounts.frame) errors |= kLineErrorFraming;
    if (now.brk != errorCounts.brk) errors |= kLineErrorBreak;
    errorCounts = now;
    return errors;
}

int CSerialDevice::QueuedBytes() const {
    int queued = 0;
    if (fd < 0 || ioctl(fd, FIONREAD, &queued) != 0) return 0;
    return queued;
}

void CSerialDevice::SetModemLines(int lines, bool on) {
    if (fd >= 0) ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &lines);
}

void CSerialDevice::SetDTR(bool on) { SetModemLines(TIOCM_DTR, on); }

void CSerialDevice::SetRTS(bool on) { SetModemLines(TIOCM_RTS, on); }

ModemStatus CSerialDevice::ReadModemStatus() const {
    int lines = 0;
    if (fd < 0 || ioctl(fd, TIOCMGET, &lines) != 0) return {};
    return {(lines & TIOCM_CTS) != 0, (lines & TIOCM_DSR) != 0, (lines & TIOCM_RI) != 0, (lines & TIOCM_CD) != 0};
}

}  // namespace platform
