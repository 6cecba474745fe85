// Owns a file descriptor and closes it at the end of its scope.
#pragma once

namespace dm::platform {

// Owns a file descriptor and closes it at the end of its scope; -1 owns nothing.
class UniqueFd {
public:
    explicit UniqueFd(int fd) noexcept : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            if (fd_ >= 0)
                close();
            fd_ = other.fd_;
            other.fd_ = -1;
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd();

    int get() const { return fd_; }
    // Closes now, reporting whether the close succeeded.
    bool close();

private:
    int fd_;
};

} // namespace dm::platform
