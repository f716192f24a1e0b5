#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/** What the library keeps of one meet of a result file, read out of the document before it is stored. */
namespace lanescope::library {

/** Course numbers as the tree counts them: 1 long course metres, 2 short course metres, 3 short course yards.
 */
enum Course : int
{
    kCourseUnknown = 0,
    kCourseLCM = 1,
    kCourseSCM = 2,
    kCourseSCY = 3,
};

/** "LCM", "SCM", "SCY", "SCM33", "SCM16"; empty for unknown. */
std::string courseCode(int course);
/** The course of a code in any case; kCourseUnknown for any other text. */
int courseOfCode(std::string_view code);

struct SplitRecord
{
    int distance = 0;
    std::int32_t timeMs = 0;
};

/** An athlete as one file names it. */
struct AthleteRecord
{
    std::string license;
    std::string lastName;
    std::string firstName;
    int birthYear = 0;
    /** 1 male, 2 female, 0 unknown. */
    int gender = 0;
    std::string clubName;
    std::string clubNation;
};

/** An individual swim, or one leg of a relay swim (relayLeg from 1; its time the leg's own when known). */
struct SwimRecord
{
    int athlete = 0; // index into MeetRecord::athletes
    int event = 0;   // index into MeetRecord::events
    std::int32_t timeMs = 0;
    /** 0 valid; the tree's status numbers otherwise (2 disqualified, 3 did not start, 4 did not finish ...).
     */
    int status = 0;
    int place = 0; // 0 without a place
    int points = 0;
    int relayLeg = 0;
    std::int32_t relayTimeMs = 0;
    std::vector<SplitRecord> splits;
    /** The RESULT node read, valid while the document lives (for marks in its lists). */
    const void* node = nullptr;
};

struct SessionRecord
{
    int number = 0;
    std::string date; // YYYY-MM-DD, empty when unknown
    int course = 0;
};

struct EventRecord
{
    int session = 0; // index into MeetRecord::sessions
    int number = 0;
    std::string round; // TIM, PRE, FIN, ...
    int gender = 0;
    int relayCountIndex = 0;
    int distanceIndex = -1;
    int strokeIndex = -1;
    std::string styleName;
};

struct MeetRecord
{
    std::string name;
    std::string place;
    std::string firstDate;
    std::string lastDate;
    int course = 0;
    std::vector<SessionRecord> sessions;
    std::vector<EventRecord> events;
    std::vector<AthleteRecord> athletes;
    std::vector<SwimRecord> swims;

    /** Name, place and dates in a form where case, accents and blanks around them do not count. */
    std::string key() const;
};

/** One code for the relay count, distance and stroke of an event: swims of one style share it. */
int styleCode(int relayCountIndex, int distanceIndex, int strokeIndex);
/** "100m Breaststroke", "4 x 100m Freestyle Relay", in the loaded language; a special style's name. */
std::string styleText(int styleCode, const std::string& styleName);

} // namespace lanescope::library
