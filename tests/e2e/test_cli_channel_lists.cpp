// kp53 import-csv as a script sees it: the exit status tells whether a channel was programmed,
// errors name the file and line, nothing is written when the list cannot be read, and --renumber
// takes a list counted from 0.
#ifdef KP53_CLI_PATH

#include "cli_runner.h"

namespace kp53::e2e {
namespace {

class CliChannelLists : public ::testing::Test, public CliFolder {};

TEST_F(CliChannelLists, ExitStatusFileAndLineAndRenumbering) {
  auto out = [&] { return cli.Out(); };
  ASSERT_EQ(cli.Run({"new", "radio.k53"}), 0) << cli.Err();
  const std::string before = Text("radio.k53");

  Put("bad.csv", "Location,Name,Frequency\r\n1,\"unterminated,146.520000\r\n2,B,146.540000\r\n");
  EXPECT_EQ(cli.Run({"import-csv", "bad.csv", "radio.k53"}), 1);
  EXPECT_EQ(cli.Err(), "kp53: bad.csv:2: a quoted field is never closed\n");
  EXPECT_EQ(Text("radio.k53"), before);

  Put("refused.csv", "Location,Name,Frequency,Mode\r\n1,A,146.520000,AM\r\n");
  EXPECT_EQ(cli.Run({"import-csv", "refused.csv", "radio.k53", "-o", "new.k53"}), 1);
  EXPECT_EQ(out(), "1 rows: 0 channels programmed, 0 unchanged, 1 skipped\n"
                   "refused.csv:2: skipped: mode AM: the radio works in FM and narrow FM only\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "new.k53"));

  Put("chirp.csv", "Location,Name,Frequency\r\n0,ZERO,146.520000\r\n300,FAR,146.540000\r\n");
  EXPECT_EQ(cli.Run({"import-csv", "chirp.csv", "radio.k53"}), 1);
  EXPECT_EQ(cli.Run({"import-csv", "--renumber", "--group", "2", "chirp.csv", "radio.k53"}), 0) << cli.Err();
  EXPECT_EQ(out(), "2 rows: 2 channels programmed, 0 unchanged, 0 skipped\n");
  ASSERT_EQ(cli.Run({"export-csv", "radio.k53", "--group", "2"}), 0);
  EXPECT_EQ(out().substr(out().find("\r\n") + 2, 40), "1,ZERO,146.520000,,0.000000,,88.5,88.5,0");
}

}  // namespace
}  // namespace kp53::e2e

#endif
