// A picture's PNG, made on a thread of its own so that the caller's thread never waits for
// the whole encoding.
#pragma once

#include <QByteArray>
#include <QImage>

#include <thread>

// The encoding uses libpng and zlib only, never the toolkit's image writers: those look up
// image plug-ins through a loader that the toolkit tears down when the program ends, and a
// thread still inside it then crashes the ending program. The destructor stops the work
// between two rows and joins the thread, so it waits for one row at most, and the thread
// never outlives this object.
class BackgroundPng {
  public:
    // Starts at once; a null picture gives an empty result.
    explicit BackgroundPng(const QImage& image);
    ~BackgroundPng();
    BackgroundPng(const BackgroundPng&) = delete;
    BackgroundPng& operator=(const BackgroundPng&) = delete;

    // Waits for the rest of the work; 8-bit RGB, or RGBA when the picture has an alpha
    // channel. Empty when encoding failed.
    const QByteArray& result() const;

  private:
    // Declared before the worker, so they are still there while it ends. The worker reads
    // rows_ and writes png_, which nothing else touches until it is joined.
    QImage rows_;
    QByteArray png_;
    mutable std::jthread worker_;
};
