#include "LongListMeet.h"

#include "lenex/LnxTime.h"

#include <string>

namespace lanescope::bench {

std::unique_ptr<lenex::TLnxObject> longListMeet(int results, const std::string& firstName,
                                                const std::string& clubName)
{
    using namespace lenex;
    auto root = std::make_unique<TLnxObject>(tag::LENEX);
    root->setText(tag::VERSION, "01.03.0007");
    TLnxObject* competition = root->addCollection(tag::COMPETITIONS)->newItem();
    competition->setText(tag::NAME, "Long list");
    competition->setPoolIndex(1);
    TLnxObject* period = competition->addCollection(tag::PERIODS)->newItem();
    period->setText(tag::DATE, "20261017");
    TLnxObject* event = period->addCollection(tag::EVENTS)->newItem();
    event->setId(1);
    event->setText(tag::NUM, "1");
    event->setText(tag::DIS, "200");
    event->setText(tag::STR, "FR");
    TLnxObject* club = competition->addCollection(tag::CLUBS)->newItem();
    club->setText(tag::NAME, clubName);
    TLnxCollection* persons = club->addCollection(tag::PERSONS);
    for (int i = 1; i <= results; ++i) {
        TLnxObject* person = persons->newItem();
        person->setId(i);
        person->setText(tag::NAME, "Swimmer" + std::to_string(i));
        person->setText(tag::FNAME, firstName);
        person->setInteger(tag::YOB, 2000 + i % 20);
        TLnxObject* result = person->addCollection(tag::RESULTS)->newItem();
        result->setInteger(tag::EID, 1);
        result->setInteger(tag::RANK, i);
        const int time = 1200000 + i * 100;
        result->setLenexTime(tag::TIME, lenex::tkValid, time);
        TLnxCollection* splits = result->addCollection(tag::SPLITS);
        for (int d = 1; d <= 3; ++d) {
            TLnxDataElement* split = splits->newDataItem();
            split->setAttribute(lxaDIS, std::to_string(50 * d));
            split->setValue(lenexTimeWrite(lenex::tkValid, time * d / 4));
        }
    }
    return root;
}

} // namespace lanescope::bench
