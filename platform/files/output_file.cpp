#include "platform/files/output_file.h"

#include <new>

#include "platform/files/background_writer.h"
#include "platform/files/file_failure.h"
#include "platform/files/system_calls.h"
#include "platform/files/system_file.h"
#include "platform/process/resource_calls.h"

namespace korvel {

OutputFile::OutputFile() = default;

OutputFile::~OutputFile() {
  if (file_ != kNoFile) {
    if (writer_) writer_->setWaitCallback({});
    // The block in hand is finished before the file goes.
    if (writer_) writer_->finish();
    fileSystemCalls().close(file_);
  }
}

void OutputFile::setWaitCallback(std::function<void(std::uint64_t)> callback) {
  if (writer_) writer_->setWaitCallback(std::move(callback));
}

void OutputFile::acquireResources(const std::string& name) {
  try {
    if (!buffers_) buffers_ = resourceCalls().allocate(2 * kOutputBufferSize);
    if (!writer_) writer_ = std::make_unique<BackgroundWriter>();
  } catch (const std::bad_alloc&) {
    throw FileFailure(FileFailure::Open, name, systemErrors().outOfMemory,
                      "Not enough memory to write it; the file was not touched");
  }
}

void OutputFile::startFile(const std::string& name, std::size_t recordSize) {
  if (file_ != kNoFile) close();
  name_ = name;
  recordSize_ = recordSize == 0 ? 1 : recordSize;
  used_ = 0;
  acquireResources(name);
  writer_->setWaitCallback({});
  writer_->startFile();
  filling_ = buffers_.get();
}

void OutputFile::open(const std::string& name, std::size_t recordSize) {
  startFile(name, recordSize);
  file_ = openOutputFile(name);
}

void OutputFile::openStandardOutput(const std::string& name) {
  startFile(name, 1);
  file_ = korvel::openStandardOutput(name);
}

void OutputFile::writeSpilling(const char* data, std::size_t size) {
  if (file_ == kNoFile) throw FileFailure(FileFailure::Write, name_, systemErrors().notOpen);
  while (size > 0) {
    if (used_ == kOutputBufferSize) flush();
    const std::size_t room = kOutputBufferSize - used_;
    const std::size_t part = size < room ? size : room;
    std::memcpy(filling_ + used_, data, part);
    used_ += part;
    data += part;
    size -= part;
  }
}

void OutputFile::flush() {
  const std::size_t size = used_;
  used_ = 0;  // after a failure the rest is dropped, never written later
  if (size == 0) return;
  const int error = writer_->submit(file_, filling_, size);
  if (error != 0) throw FileFailure(FileFailure::Write, name_, error, {}, cutBackToWholeRecords(file_));
  filling_ = filling_ == buffers_.get() ? buffers_.get() + kOutputBufferSize : buffers_.get();
}

int OutputFile::cutBackToWholeRecords(FileHandle file) {
  // The writer has stopped at the failure: what the system took is final.
  const std::uint64_t written = writer_->bytesWritten();
  const std::uint64_t partial = written % recordSize_;
  if (partial == 0 || fileSystemCalls().truncate(file, static_cast<std::int64_t>(written - partial)) == 0) {
    return 0;
  }
  return lastSystemError();
}

void OutputFile::close() {
  if (file_ == kNoFile) return;
  // What is left goes out on the writer's thread, and so does the close, so
  // that a slow device keeps calling back.
  int error = used_ == 0 ? 0 : writer_->submit(file_, filling_, used_);
  used_ = 0;
  if (error == 0) error = writer_->finish();
  const FileHandle file = file_;
  file_ = kNoFile;
  if (error != 0) {
    const int cutBackError = cutBackToWholeRecords(file);
    fileSystemCalls().close(file);
    throw FileFailure(FileFailure::Write, name_, error, {}, cutBackError);
  }
  error = writer_->close(file);
  if (error != 0) throw FileFailure(FileFailure::Close, name_, error);
}

}  // namespace korvel
