#include <gtest/gtest.h>

#include <vector>

#include "Pelcore/PelMessage.h"
#include "RegistryScenario.h"
#include "VekPel/VekDefaultParameter.h"

TEST(VekDefaultParameter, FirstParameterSourceWinsWithOneDebugMessage) {
  withRegistry("\"Where\"=\"server\"\n", [] {
    PelMessageRecorder recorder;
    // Before a source is set, reads go below the empty source and find nothing.
    EXPECT_EQ(VekDefaultParameter::getString(u"Where"), PelUnicodeString());

    VekDefaultParameter::setParameterSource(kServerKey);
    VekDefaultParameter::setParameterSource(u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Other");
    const std::u16string withVek = std::u16string(kServerKey) + u"\\VEK";
    EXPECT_EQ(VekDefaultParameter::parameterSource().str(), withVek);
    EXPECT_EQ(VekDefaultParameter::getString(u"Where"), PelUnicodeString(u"server"));

    const std::vector<PelMessage> messages = recorder.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].level, PelMessageLevel::Debug);
    EXPECT_EQ(messages[0].source + " " + messages[0].text, "VekPel set [" + pelUtf16ToUtf8(withVek) + "]");
  }, false);
}
