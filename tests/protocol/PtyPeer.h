#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

// A pseudo-terminal pair: the library gets the slave side as its port, the test plays the peer on the master.
class PtyPeer {
public:
    PtyPeer() {
        char name[256] = {};
        termios raw{};
        cfmakeraw(&raw);
        if (openpty(&Master, &Slave, name, &raw, nullptr) == 0)
            SlaveName = name;
    }
    ~PtyPeer() {
        if (Master >= 0)
            close(Master);
        if (Slave >= 0 && !SlaveHandedOver)
            close(Slave);
    }

    // The slave descriptor for a library that will own (and close) it.
    int HandOverSlave() {
        SlaveHandedOver = true;
        return Slave;
    }

    void Write(const std::vector<uint8_t>& bytes) const {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = write(Master, bytes.data() + done, bytes.size() - done);
            if (n <= 0)
                return;
            done += size_t(n);
        }
    }

    // Everything the library wrote, waiting up to waitMs for the first byte and 20 ms for each further one.
    std::vector<uint8_t> Read(int waitMs = 200) const {
        std::vector<uint8_t> bytes;
        for (int timeout = waitMs;; timeout = 20) {
            pollfd ready{Master, POLLIN, 0};
            if (poll(&ready, 1, timeout) <= 0)
                return bytes;
            uint8_t buffer[4096];
            const ssize_t n = read(Master, buffer, sizeof buffer);
            if (n <= 0)
                return bytes;
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
    }

    int Master = -1;
    int Slave = -1;
    std::string SlaveName;

private:
    bool SlaveHandedOver = false;
};

// A ports folder in a temporary place, named by PROTOCOL_PORTS_DIR for the test's lifetime.
class PortsFolder {
public:
    PortsFolder() {
        char pattern[] = "/tmp/protocol-ports-XXXXXX";
        Path = mkdtemp(pattern);
        setenv("PROTOCOL_PORTS_DIR", Path.c_str(), 1);
    }
    ~PortsFolder() {
        unsetenv("PROTOCOL_PORTS_DIR");
        std::filesystem::remove_all(Path);
    }
    void Link(const std::string& name, const std::string& target) const { std::filesystem::create_symlink(target, Path / name); }

    std::filesystem::path Path;
};
