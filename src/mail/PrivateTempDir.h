// A private directory for files handed to outside viewers ("_varnel.jis" and the like):
// made with mkdtemp under $TMPDIR (else /tmp), mode 0700, removed with its files when
// the object goes.
#pragma once

#include <memory>
#include <string>

namespace varnel::mail {

class PrivateTempDir {
  public:
    // Nullptr on failure, with error set to a readable reason.
    static std::unique_ptr<PrivateTempDir> Create(std::string& error);
    ~PrivateTempDir();
    PrivateTempDir(const PrivateTempDir&) = delete;
    PrivateTempDir& operator=(const PrivateTempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path of a file named name inside the directory.
    std::string FilePath(const std::string& name) const { return path_ + "/" + name; }

    // Writes bytes to the named file through a temporary file and a rename, so a viewer
    // still reading the previous version never sees a half-written one. False on failure,
    // with error set.
    bool WriteFile(const std::string& name, const std::string& bytes, std::string& error) const;

  private:
    explicit PrivateTempDir(std::string path) : path_(std::move(path)) {}
    std::string path_;
};

}  // namespace varnel::mail
