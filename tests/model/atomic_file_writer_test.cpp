#include "model/atomic_file_writer.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes AsBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

void WriteFile(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

struct stat StatOf(const fs::path& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info;
}

class AtomicFileWriter : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("atomic-writer-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::vector<std::string> Names(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path folder_;
};

// The disk fills after `room` bytes, as write(2) reports it: a short write,
// then ENOSPC.
FileWriteCall DiskWithRoomFor(std::size_t room) {
  return [room](int fd, const void* buffer, std::size_t count) mutable -> ssize_t {
    if (room == 0) {
      errno = ENOSPC;
      return -1;
    }
    const std::size_t n = std::min(room, count);
    room -= n;
    return ::write(fd, buffer, n);
  };
}

TEST_F(AtomicFileWriter, FullDiskKeepsTheOldFileAndSaysWhy) {
  const fs::path target = folder_ / "song.sfd";
  WriteFile(target, "old contents");
  const Bytes bytes(100000, 0x5a);
  try {
    WriteFileAtomically(target.string(), bytes, DiskWithRoomFor(4096));
    ADD_FAILURE() << "no error";
  } catch (const EFileSaveError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot save \"" + target.string() + "\": No space left on device");
  }
  EXPECT_EQ(ReadFile(target), AsBytes("old contents"));
  EXPECT_EQ(Names(folder_), std::vector<std::string>{"song.sfd"});
}

TEST_F(AtomicFileWriter, InterruptedWritesAreResumed) {
  bool interrupted = false;
  auto write = [&](int fd, const void* buffer, std::size_t count) -> ssize_t {
    interrupted = !interrupted;
    if (interrupted) {
      errno = EINTR;
      return -1;
    }
    return ::write(fd, buffer, std::min<std::size_t>(count, 7));
  };
  const fs::path target = folder_ / "song.sfd";
  const Bytes bytes = AsBytes("written seven bytes at a time");
  WriteFileAtomically(target.string(), bytes, write);
  EXPECT_EQ(ReadFile(target), bytes);
}

// A real full file system, where the machine lets the tests mount one.
TEST_F(AtomicFileWriter, FullTmpfsKeepsTheOldFileAndSaysWhy) {
  const fs::path mount = folder_ / "small";
  fs::create_directories(mount);
  if (::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
  }
  struct Unmount {
    const fs::path& path;
    ~Unmount() { EXPECT_EQ(::umount2(path.c_str(), MNT_DETACH), 0) << std::strerror(errno); }
  } unmount{mount};
  const fs::path target = mount / "song.sfd";
  WriteFile(target, "old contents");
  try {
    WriteFileAtomically(target.string(), Bytes(1 << 20, 0x5a));
    ADD_FAILURE() << "no error";
  } catch (const EFileSaveError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot save \"" + target.string() + "\": No space left on device");
  }
  EXPECT_EQ(ReadFile(target), AsBytes("old contents"));
  EXPECT_EQ(Names(mount), std::vector<std::string>{"song.sfd"});
}

TEST_F(AtomicFileWriter, KeepsOwnerAndGroup) {
  if (::geteuid() != 0) GTEST_SKIP() << "only a privileged process may give a file to another user";
  const fs::path target = folder_ / "song.sfd";
  WriteFile(target, "old contents");
  ASSERT_EQ(::chown(target.c_str(), 1234, 5678), 0);
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  WriteFileAtomically(target.string(), AsBytes("new contents"));
  const struct stat info = StatOf(target);
  EXPECT_EQ(info.st_uid, 1234u);
  EXPECT_EQ(info.st_gid, 5678u);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadFile(target), AsBytes("new contents"));
}

TEST_F(AtomicFileWriter, ANewFileGetsTheModeOfAPlainCreate) {
  for (const mode_t mask : {022, 077, 002}) {
    const fs::path target = folder_ / ("new-" + std::to_string(mask));
    const mode_t previous = ::umask(mask);
    WriteFileAtomically(target.string(), AsBytes("new contents"));
    ::umask(previous);
    EXPECT_EQ(StatOf(target).st_mode & 07777, 0666 & ~mask) << std::oct << mask;
  }
}

TEST_F(AtomicFileWriter, FollowsChainsAndDanglingLinks) {
  fs::create_directories(folder_ / "a" / "b");
  WriteFile(folder_ / "a" / "b" / "real", "old contents");
  // first -> a/second -> (relative to a) b/real
  fs::create_symlink("b/real", folder_ / "a" / "second");
  fs::create_symlink(folder_ / "a" / "second", folder_ / "first");
  WriteFileAtomically((folder_ / "first").string(), AsBytes("new contents"));
  EXPECT_EQ(ReadFile(folder_ / "a" / "b" / "real"), AsBytes("new contents"));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder_ / "first")));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder_ / "a" / "second")));
  EXPECT_EQ(Names(folder_ / "a" / "b"), std::vector<std::string>{"real"});

  // A link to a file not yet there creates that file.
  fs::create_symlink("a/later", folder_ / "pending");
  WriteFileAtomically((folder_ / "pending").string(), AsBytes("first contents"));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder_ / "pending")));
  EXPECT_EQ(ReadFile(folder_ / "a" / "later"), AsBytes("first contents"));
}

}  // namespace
