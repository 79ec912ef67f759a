#include "kartavo/framework/date_time.h"
#include "kartavo/framework/errors.h"
#include "kartavo/framework/text_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <unistd.h>

namespace {

TEST(DateTime, KnownDayNumbers) {
  EXPECT_EQ(fw::EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(fw::EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(fw::EncodeDate(2000, 1, 1), 36526);
  EXPECT_EQ(fw::EncodeDate(1899, 12, 29), -1);
  EXPECT_DOUBLE_EQ(fw::EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);
  EXPECT_DOUBLE_EQ(fw::EncodeTime(18, 0, 0, 0), 0.75);
}

TEST(DateTime, EncodeDecodeRoundTripsAcrossTheEpoch) {
  std::mt19937 rng(1);
  for (int i = 0; i < 5000; ++i) {
    const int y = 1 + static_cast<int>(rng() % 9999), m = 1 + static_cast<int>(rng() % 12);
    const int d = 1 + static_cast<int>(rng() % static_cast<unsigned>(fw::DaysInMonth(y, m)));
    const int h = static_cast<int>(rng() % 24), mi = static_cast<int>(rng() % 60);
    const int s = static_cast<int>(rng() % 60), ms = static_cast<int>(rng() % 1000);
    const auto t = fw::EncodeDateTime(y, m, d, h, mi, s, ms);
    int y2, m2, d2, h2, mi2, s2, ms2;
    fw::DecodeDate(t, y2, m2, d2);
    fw::DecodeTime(t, h2, mi2, s2, ms2);
    ASSERT_EQ(std::tie(y, m, d, h, mi, s, ms), std::tie(y2, m2, d2, h2, mi2, s2, ms2)) << t;
  }
}

TEST(DateTime, LastMillisecondOfADayStaysOnThatDay) {
  const auto t = fw::EncodeDateTime(2023, 12, 31, 23, 59, 59, 999);
  int y, m, d, h, mi, s, ms;
  fw::DecodeDate(t, y, m, d);
  fw::DecodeTime(t, h, mi, s, ms);
  EXPECT_EQ(std::tie(y, m, d), std::make_tuple(2023, 12, 31));
  EXPECT_EQ(std::tie(h, mi, s, ms), std::make_tuple(23, 59, 59, 999));
}

TEST(DateTime, DaysThatDoNotExistAreRefused) {
  EXPECT_THROW(fw::EncodeDate(2023, 2, 29), fw::EConvertError);
  EXPECT_NO_THROW(fw::EncodeDate(2024, 2, 29));
  EXPECT_THROW(fw::EncodeDate(1900, 2, 29), fw::EConvertError);
  EXPECT_NO_THROW(fw::EncodeDate(2000, 2, 29));
  EXPECT_THROW(fw::EncodeDate(2024, 13, 1), fw::EConvertError);
  EXPECT_THROW(fw::EncodeDate(0, 1, 1), fw::EConvertError);
  EXPECT_THROW(fw::EncodeTime(24, 0, 0, 0), fw::EConvertError);
  fw::TDateTime r = 42;
  EXPECT_FALSE(fw::TryEncodeDateTime(2024, 4, 31, 0, 0, 0, 0, r));
  EXPECT_EQ(r, 42);
}

TEST(DateTime, FileModificationTimeIsNow) {
  const auto path =
      (std::filesystem::temp_directory_path() / ("kartavo_dt_" + std::to_string(::getpid())))
          .string();
  fw::TTextFile f;
  f.Rewrite(path);
  f.Close();
  const double secondsApart = std::fabs(fw::FileDateTime(path) - fw::Now()) * 86400;
  EXPECT_LT(secondsApart, 60);
  std::filesystem::remove(path);
  try {
    fw::FileDateTime(path);
    FAIL() << "no error";
  } catch (const fw::EInOutError& e) {
    EXPECT_EQ(e.Path(), path);
  }
}

} // namespace
