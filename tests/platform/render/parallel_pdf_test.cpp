// Pages drawn by many threads at once, as a batch draws its reports. cairo keeps the fonts of the
// whole process in caches the threads share, and every PDF page makes fonts of its own.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/render/cairo_sink.h"
#include "platform/render/display_list.h"

namespace fb::render {
namespace {

// `count` different Chinese characters from `first` on, so that pages differ in their glyphs.
std::string Characters(char32_t first, int count) {
  std::string text;
  for (char32_t c = first; c < first + static_cast<char32_t>(count); ++c) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
  return text;
}

// A page of texts in every face the product names, at several sizes and angles.
DisplayList PageOfTexts(int variant) {
  DisplayList page(595, 842);
  const char* const families[] = {"宋体", "仿宋_GB2312", "黑体", "Arial", "Tahoma"};
  double y = 10;
  int n = 0;
  for (const char* family : families) {
    for (const double size : {6.0, 8.0, 10.5}) {
      for (const double rotation : {0.0, 90.0}) {
        TextCmd text;
        text.text = Characters(0x4E00 + static_cast<char32_t>(variant * 97 + n * 31), 40) + " 12%";
        text.font = {family, size};
        text.box = {10, y, 560, 20};
        text.rotation = rotation;
        page.add(text);
        y += 20;
        ++n;
      }
    }
  }
  return page;
}

TEST(ParallelPdf, ManyThreadsDrawingPdfsAndPicturesAllFinish) {
  // A thread that waits forever cannot be joined: past the deadline the test ends the process.
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  std::thread watchdog([&] {
    std::unique_lock<std::mutex> lock(mutex);
    if (!finished.wait_for(lock, std::chrono::seconds(60), [&] { return done; })) {
      std::fprintf(stderr, "the threads drawing pages still wait after 60 s: deadlocked\n");
      std::_Exit(1);
    }
  });
  constexpr int kThreads = 16;
  constexpr int kPagesEach = 6;
  std::vector<std::size_t> smallest(kThreads, SIZE_MAX);
  {
    std::vector<std::jthread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([t, &smallest] {
        for (int i = 0; i < kPagesEach; ++i) {
          const DisplayList page = PageOfTexts(t * kPagesEach + i);
          // Pictures too: they draw with the fonts the PDFs' pages leave behind.
          const std::size_t bytes =
              i % 3 == 2 ? render_png(page, 0.5).size() : render_pdf(page).size();
          smallest[t] = std::min(smallest[t], bytes);
        }
      });
    }
  }
  {
    std::lock_guard<std::mutex> lock(mutex);
    done = true;
  }
  finished.notify_one();
  watchdog.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_GT(smallest[t], 1000u) << "thread " << t;
}

}  // namespace
}  // namespace fb::render
