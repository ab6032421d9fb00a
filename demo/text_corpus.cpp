#include "demo/text_corpus.h"

namespace orvilo::demo {
namespace {

const QStringList kEnglishTitles = {
    QStringLiteral("Unit 3. How Plants Make Their Food"),
    QStringLiteral("Lesson 5. The Water Cycle"),
    QStringLiteral("Chapter 2. Life in Early Villages"),
    QStringLiteral("Lesson 7. Measuring Time and Distance"),
    QStringLiteral("Unit 4. Sound and Light Around Us"),
    QStringLiteral("Chapter 6. Working Together in a Community"),
};

const QStringList kEnglishSentences = {
    QStringLiteral("Green plants use the energy of sunlight to turn water and carbon dioxide into sugar."),
    QStringLiteral("This process is called photosynthesis, and it takes place mostly in the leaves."),
    QStringLiteral("The leaves contain a green substance that captures light from the sun."),
    QStringLiteral("Water travels from the roots to the leaves through thin tubes in the stem."),
    QStringLiteral("During the day, plants give off oxygen that people and animals need to breathe."),
    QStringLiteral("When the sun warms the ocean, some of the water turns into vapor and rises."),
    QStringLiteral("High in the sky the vapor cools down and forms tiny drops that make clouds."),
    QStringLiteral("When the drops grow heavy enough, they fall back to the ground as rain or snow."),
    QStringLiteral("Rivers carry the water back to the sea, and the cycle begins once again."),
    QStringLiteral("Long ago, people began to grow their own food instead of moving from place to place."),
    QStringLiteral("They built small houses near rivers, where the soil was rich and water was easy to find."),
    QStringLiteral("Families shared their tools and helped each other during the harvest."),
    QStringLiteral("Some villages grew into towns with markets, roads and simple laws."),
    QStringLiteral("A ruler is a good tool for measuring short lengths such as the side of a book."),
    QStringLiteral("To measure longer distances, we can use a tape measure or count our steps."),
    QStringLiteral("A clock shows us the time in hours and minutes, and a calendar shows the days."),
    QStringLiteral("There are sixty minutes in one hour and twenty-four hours in one day."),
    QStringLiteral("Sound is made when an object moves back and forth very quickly."),
    QStringLiteral("We hear a sound when these movements travel through the air to our ears."),
    QStringLiteral("Light travels in straight lines and can pass through clear materials like glass."),
    QStringLiteral("When light hits a mirror, it bounces back and we can see our reflection."),
    QStringLiteral("A shadow forms when an object blocks the light coming from a lamp or the sun."),
    QStringLiteral("People in a community depend on one another for many things every day."),
    QStringLiteral("Farmers grow food, drivers bring it to stores, and shop owners sell it to us."),
    QStringLiteral("Firefighters, nurses and teachers also help to keep the community safe and healthy."),
    QStringLiteral("What can you do to help the people who live in your neighborhood?"),
    QStringLiteral("Talk with a partner and make a list of three ideas you could try this week."),
    QStringLiteral("Look at the picture carefully and describe what you see in your own words."),
    QStringLiteral("Write down your answer in your notebook, then compare it with your classmates."),
    QStringLiteral("In 1969, astronauts walked on the Moon for the first time in history."),
};

const QStringList kEnglishCaptions = {
    QStringLiteral("Figure 1. Parts of a green leaf"),
    QStringLiteral("Figure 2. Water moving between the sea and the sky"),
    QStringLiteral("Figure 3. A village beside a river"),
    QStringLiteral("Figure 4. Tools we use to measure things"),
};

const QStringList kKoreanTitles = {
    QStringLiteral("3단원. 식물은 어떻게 양분을 만들까요"),
    QStringLiteral("5단원. 물의 순환과 날씨"),
    QStringLiteral("2단원. 옛날 사람들의 생활 모습"),
    QStringLiteral("7단원. 시간과 거리를 재어 봅시다"),
    QStringLiteral("4단원. 우리 주변의 소리와 빛"),
    QStringLiteral("6단원. 함께 살아가는 우리 마을"),
};

const QStringList kKoreanSentences = {
    QStringLiteral("초록색 식물은 햇빛을 이용하여 물과 이산화 탄소로 양분을 만듭니다."),
    QStringLiteral("이러한 과정을 광합성이라고 하며 주로 잎에서 일어납니다."),
    QStringLiteral("잎에는 빛을 받아들이는 초록색 물질이 들어 있습니다."),
    QStringLiteral("뿌리에서 흡수한 물은 줄기 속의 가느다란 관을 따라 잎까지 올라갑니다."),
    QStringLiteral("낮 동안 식물은 사람과 동물이 숨 쉬는 데 필요한 산소를 내보냅니다."),
    QStringLiteral("햇볕이 바다를 데우면 물의 일부가 수증기가 되어 하늘로 올라갑니다."),
    QStringLiteral("높은 하늘에서 수증기는 차가워져 작은 물방울이 되고 구름을 만듭니다."),
    QStringLiteral("물방울이 충분히 무거워지면 비나 눈이 되어 땅으로 떨어집니다."),
    QStringLiteral("강물은 다시 바다로 흘러가고 물의 순환이 처음부터 되풀이됩니다."),
    QStringLiteral("아주 오랜 옛날 사람들은 이곳저곳을 옮겨 다니며 먹을 것을 구했습니다."),
    QStringLiteral("농사를 짓기 시작하면서 사람들은 강가에 집을 짓고 한곳에 모여 살았습니다."),
    QStringLiteral("가족과 이웃은 도구를 함께 쓰고 추수할 때 서로 도왔습니다."),
    QStringLiteral("어떤 마을은 시장과 길이 있는 큰 고을로 자라났습니다."),
    QStringLiteral("자는 책의 가로 길이처럼 짧은 길이를 잴 때 쓰기 좋은 도구입니다."),
    QStringLiteral("더 먼 거리를 잴 때에는 줄자를 쓰거나 걸음 수를 세어 볼 수 있습니다."),
    QStringLiteral("시계는 몇 시 몇 분인지 알려 주고 달력은 날짜를 알려 줍니다."),
    QStringLiteral("한 시간은 60분이고 하루는 24시간입니다."),
    QStringLiteral("소리는 물체가 아주 빠르게 떨릴 때 생깁니다."),
    QStringLiteral("이 떨림이 공기를 통해 귀까지 전해지면 우리는 소리를 듣게 됩니다."),
    QStringLiteral("빛은 곧게 나아가며 유리처럼 투명한 물체는 통과할 수 있습니다."),
    QStringLiteral("빛이 거울에 닿으면 반사되어 우리는 거울에 비친 모습을 볼 수 있습니다."),
    QStringLiteral("물체가 전등이나 햇빛을 가리면 그 뒤에 그림자가 생깁니다."),
    QStringLiteral("마을 사람들은 날마다 여러 가지 일로 서로 도움을 주고받습니다."),
    QStringLiteral("농부는 곡식을 기르고 상인은 시장에서 물건을 팝니다."),
    QStringLiteral("소방관과 간호사와 선생님도 마을을 안전하고 건강하게 지켜 줍니다."),
    QStringLiteral("우리 동네에 사는 사람들을 돕기 위해 무엇을 할 수 있을까요?"),
    QStringLiteral("짝과 이야기를 나누고 이번 주에 해 볼 수 있는 일을 세 가지 적어 봅시다."),
    QStringLiteral("그림을 자세히 살펴보고 본 것을 자기 말로 설명해 봅시다."),
    QStringLiteral("공책에 답을 쓴 다음 친구들의 답과 비교해 봅시다."),
    QStringLiteral("1969년에 우주 비행사들이 처음으로 달 위를 걸었습니다."),
    QStringLiteral("우리 몸의 유전 정보는 DNA라는 물질에 담겨 있습니다."),
    QStringLiteral("물체의 길이는 cm나 m 같은 단위로 나타냅니다."),
    QStringLiteral("컴퓨터(computer)는 정보를 빠르게 처리하는 기계입니다."),
    QStringLiteral("TV와 라디오는 소리와 영상을 멀리까지 전해 줍니다."),
    QStringLiteral("영어로 사과는 apple이고 바나나는 banana입니다."),
};

const QStringList kKoreanCaptions = {
    QStringLiteral("그림 1. 초록색 잎의 구조"),
    QStringLiteral("그림 2. 바다와 하늘 사이를 오가는 물"),
    QStringLiteral("그림 3. 강가에 자리 잡은 마을"),
    QStringLiteral("그림 4. 길이를 재는 여러 가지 도구"),
};

}  // namespace

const QStringList& Titles(Language language) {
  return language == Language::English ? kEnglishTitles : kKoreanTitles;
}
const QStringList& Sentences(Language language) {
  return language == Language::English ? kEnglishSentences : kKoreanSentences;
}
const QStringList& Captions(Language language) {
  return language == Language::English ? kEnglishCaptions : kKoreanCaptions;
}

}  // namespace orvilo::demo
