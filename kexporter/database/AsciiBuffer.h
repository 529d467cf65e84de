#ifndef KEXPORTER_DATABASE_ASCIIBUFFER_H
#define KEXPORTER_DATABASE_ASCIIBUFFER_H

// Owns one narrow text made by VekStringToAscii2 and frees it with
// VekFreeMemory.
class AsciiBuffer {
 public:
  AsciiBuffer() = default;
  ~AsciiBuffer();
  AsciiBuffer(const AsciiBuffer&) = delete;
  AsciiBuffer& operator=(const AsciiBuffer&) = delete;

  // The address VekStringToAscii2 stores its text at. REQUIRES: empty.
  char** address() { return &text_; }
  // The text, or null when there is none.
  const char* text() const { return text_; }
  // Frees the text; the buffer is empty afterwards.
  void release();

 private:
  char* text_ = nullptr;
};

#endif
