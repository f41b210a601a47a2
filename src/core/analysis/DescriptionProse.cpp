#include "analysis/Catalogue.h"
#include "analysis/ReportProse.h"

#include <array>
#include <cstddef>

// The description paragraphs: what each term means in general, in plain words. They
// describe the term, never a person's condition.
namespace hv::prose {
namespace {

using Paragraphs = std::span<const std::string_view>;

// Report 01
constexpr std::array<std::string_view, 15> kSlot00{
    "Blood viscosity describes how thick and sticky the blood is, that is how strongly it "
    "resists flowing through the vessels.",
    "Cholesterol crystals are solid particles that can form when cholesterol comes out of "
    "solution; the term is used for fatty deposits in and along the vessel walls.",
    "Blood fat is a general name for the fatty substances carried in the blood, mainly "
    "cholesterol and triglycerides, which the body uses for energy and to build cells.",
    "Vascular resistance is the opposition that the blood vessels offer to the flow of blood; "
    "it depends mainly on the width of the small arteries.",
    "Vascular elasticity is the ability of the vessel walls to stretch with each heartbeat and "
    "return to their shape, which smooths the flow of blood.",
    "Myocardial blood demand is the amount of blood that the heart muscle itself needs for its "
    "work; it rises with heart rate and effort.",
    "Myocardial blood perfusion volume is the amount of blood that reaches the heart muscle "
    "through the coronary arteries in a given time.",
    "Myocardial oxygen consumption is the amount of oxygen that the heart muscle uses; it "
    "follows the workload of the heart.",
    "Stroke volume is the amount of blood that the left ventricle pumps out with each beat.",
    "Left ventricular ejection impedance is the total opposition that the left ventricle has to "
    "overcome when it pushes blood into the aorta.",
    "Left ventricular effective pump power is the useful work that the left ventricle does in "
    "moving blood into the circulation.",
    "Coronary artery elasticity is the ability of the arteries that supply the heart muscle to "
    "widen and recoil with the flow of blood.",
    "Coronary perfusion pressure is the pressure difference that drives blood through the "
    "coronary arteries into the heart muscle, mainly while the heart relaxes between beats.",
    "Cerebral blood vessel elasticity is the ability of the vessels of the brain to stretch and "
    "recoil, which helps to keep the blood flow of the brain steady.",
    "Brain tissue blood supply status describes how well blood, and with it oxygen and "
    "nutrients, reaches the tissue of the brain.",
};

// Report 02
constexpr std::array<std::string_view, 5> kSlot01{
    "Pepsin is a digestive enzyme made in the stomach that starts the breakdown of protein; "
    "this coefficient refers to the level of its secretion.",
    "Gastric peristalsis is the wave-like movement of the stomach wall that mixes food with the "
    "digestive juices and moves it onward.",
    "Gastric absorption refers to the small share of substances, such as water and some salts, "
    "that pass into the body through the lining of the stomach.",
    "Small intestine peristalsis is the rhythmic muscle movement that pushes digested food "
    "along the small intestine.",
    "Small intestine absorption is the uptake of nutrients from digested food through the "
    "lining of the small intestine, where most absorption takes place.",
};

// Report 03
constexpr std::array<std::string_view, 5> kSlot02{
    "Protein metabolism covers how the body breaks down the proteins of food and builds its own "
    "proteins; the liver makes many of the proteins found in the blood.",
    "Energy production refers to the part the liver plays in storing sugar as glycogen and "
    "releasing it again to keep the body supplied with energy.",
    "Detoxification is the work of the liver in changing unwanted substances, from medicines to "
    "waste products, into forms that the body can remove.",
    "Bile is a fluid made by the liver and stored in the gallbladder; it helps to digest and "
    "absorb fats.",
    "Liver fat content describes how much fat is stored in the liver cells; a small amount is "
    "usual.",
};

// Report 05
constexpr std::array<std::string_view, 3> kSlot04{
    "Insulin is a hormone made by the pancreas that helps the cells take up sugar from the "
    "blood, which lowers the blood sugar level.",
    "Pancreatic polypeptide is a hormone that the pancreas releases after meals; it takes part "
    "in regulating digestive secretions and appetite.",
    "Glucagon is a hormone made by the pancreas that raises the blood sugar level, mainly by "
    "prompting the liver to release stored sugar.",
};

// Report 06
constexpr std::array<std::string_view, 4> kSlot05{
    "Urobilinogen is formed from bilirubin in the intestine; part of it returns to the blood "
    "and is passed in the urine.",
    "Uric acid is a waste product formed when the body breaks down purines, substances found in "
    "cells and in many foods; the kidneys remove most of it.",
    "Blood urea nitrogen is the nitrogen in the blood that comes from urea, a waste product of "
    "protein breakdown that the kidneys filter out.",
    "Proteinuria means protein in the urine; the kidneys normally keep almost all protein in "
    "the blood.",
};

// Report 08
constexpr std::array<std::string_view, 5> kSlot07{
    "This term describes how well blood reaches the tissue of the brain and supplies it with "
    "oxygen and nutrients.",
    "Cerebral arteriosclerosis is a thickening and stiffening of the walls of the arteries that "
    "supply the brain.",
    "The cranial nerves are the twelve pairs of nerves that leave the brain directly and serve "
    "the senses and the muscles of the head and neck.",
    "The sentiment index is a general term for emotional state and mood.",
    "The memory index is a general term for the ability to take in, keep and recall "
    "information.",
};

// Report 10
constexpr std::array<std::string_view, 5> kSlot09{
    "Osteoclasts are the cells that break down old bone tissue so that it can be replaced; this "
    "coefficient refers to their activity.",
    "Calcium loss refers to calcium leaving the bones faster than it is laid down.",
    "Bone hyperplasia is the growth of extra bone, often as bony spurs at the edges of joints.",
    "Osteoporosis is a loss of bone mass and strength that makes the bones thinner and more "
    "fragile.",
    "Bone mineral density is the amount of mineral, mainly calcium, in a given volume of bone; "
    "it is a general sign of bone strength.",
};

// Report 11
constexpr std::array<std::string_view, 5> kSlot10{
    "Cervical calcification is the deposit of calcium in the soft tissues of the neck part of "
    "the spine, such as its ligaments and discs.",
    "Lumbar calcification is the deposit of calcium in the soft tissues of the lower part of "
    "the spine.",
    "This coefficient refers to the growth of extra bone at the edges of joints and vertebrae.",
    "This coefficient refers to the loss of bone mass and strength that makes the bones more "
    "fragile.",
    "Rheumatism is a general term for aches, stiffness and swelling of the joints, the muscles "
    "and the connective tissue.",
};

// Report 12
constexpr std::array<std::string_view, 3> kSlot11{
    "Insulin secretion is the release of insulin by the pancreas, mainly in answer to a rise of "
    "the blood sugar after a meal.",
    "Blood sugar is the glucose carried in the blood, the main source of energy of the body; "
    "hormones keep it within a narrow range.",
    "Urine sugar is glucose passed in the urine; the kidneys normally return nearly all glucose "
    "to the blood.",
};

// Report 13
constexpr std::array<std::string_view, 5> kSlot12{
    "Response ability is a general term for how quickly and accurately a person reacts to what "
    "they see, hear or feel.",
    "Mental power is a general term for mental energy, concentration and the capacity for "
    "sustained mental work.",
    "Water shortage refers to the body holding less water than it needs; water makes up more "
    "than half of the body weight.",
    "Hypoxia means that the tissues of the body receive less oxygen than they need.",
    "PH describes how acid or alkaline a fluid is; the blood is kept slightly alkaline within a "
    "narrow range.",
};

// Report 14
constexpr std::array<std::string_view, 5> kSlot13{
    "Heavy metals are dense metals such as lead, mercury and cadmium that can build up in the "
    "body from the environment, food or water.",
    "Stimulating beverages are drinks such as coffee, strong tea, energy drinks and alcohol "
    "whose contents act on the nervous system.",
    "Electromagnetic radiation is energy that travels as waves, from radio waves and microwaves "
    "to light; everyday devices give off low levels of it.",
    "Nicotine is the addictive substance of tobacco; tobacco smoke also carries many other "
    "chemicals.",
    "Pesticide residues are traces of the chemicals used against pests that may remain on or in "
    "food.",
};

// Report 15
constexpr std::array<std::string_view, 19> kSlot14{
    "Calcium is the most plentiful mineral in the body; it builds bones and teeth and takes "
    "part in muscle contraction, nerve signals and blood clotting.",
    "Iron is part of haemoglobin, the protein of the red blood cells that carries oxygen around "
    "the body.",
    "Zinc is a trace element needed by many enzymes; it plays a part in growth, wound healing, "
    "taste and the immune system.",
    "Selenium is a trace element that works in antioxidant enzymes and in the making of thyroid "
    "hormones.",
    "Phosphorus works with calcium to build bones and teeth and is part of the molecules that "
    "store and carry energy in the cells.",
    "Potassium is a mineral that helps to control the fluid balance and the working of nerves "
    "and muscles, the heart included.",
    "Magnesium is a mineral involved in hundreds of enzyme reactions, in muscle and nerve "
    "function and in the structure of bone.",
    "Copper is a trace element needed to form red blood cells, connective tissue and some "
    "enzymes that handle iron.",
    "Cobalt is a trace element that forms the centre of vitamin B12.",
    "Manganese is a trace element used by enzymes that take part in bone formation and in the "
    "handling of carbohydrates and fats.",
    "Iodine is a trace element that the thyroid gland uses to make its hormones.",
    "Nickel is a trace element present in small amounts in food; the body needs very little of "
    "it.",
    "Fluorine, taken in as fluoride, is a trace element that is built into teeth and bones and "
    "makes tooth enamel harder.",
    "Molybdenum is a trace element that several enzymes need to break down certain amino acids "
    "and other substances.",
    "Vanadium is a trace element found in small amounts in food; its role in the human body is "
    "still being studied.",
    "Tin is a trace element that the body takes in from food and packaging in very small "
    "amounts.",
    "Silicon is a trace element found in connective tissue, bones, hair and skin.",
    "Strontium is a trace element, chemically similar to calcium, that is stored mainly in "
    "bone.",
    "Boron is a trace element found in fruit, vegetables and nuts that takes part in the "
    "handling of calcium and magnesium.",
};

// Report 16
constexpr std::array<std::string_view, 3> kSlot15{
    "Prostatic hyperplasia is an enlargement of the prostate gland caused by the growth of its "
    "cells; it becomes more common with age.",
    "Prostatic calcification is the forming of small calcium deposits within the prostate "
    "gland.",
    "Prostatitis is a general name for inflammation or irritation of the prostate gland.",
};

// Report 17
constexpr std::array<std::string_view, 3> kSlot16{
    "Testosterone is the main male sex hormone; it supports muscle and bone, sex drive and the "
    "making of sperm.",
    "Gonadotropins are hormones of the pituitary gland that direct the work of the testes.",
    "Erection transmitters are the chemical messengers, such as nitric oxide, that relax the "
    "blood vessels of the penis during an erection.",
};

// Report 18
constexpr std::array<std::string_view, 9> kSlot17{
    "Female hormones, chiefly the oestrogens, are made mainly by the ovaries and shape the "
    "menstrual cycle and the female characteristics.",
    "Gonadotropins are hormones of the pituitary gland that direct the work of the ovaries, "
    "including the ripening of the eggs.",
    "Prolactin is a hormone of the pituitary gland best known for starting milk production "
    "after childbirth.",
    "Progesterone is a hormone that the ovaries make after ovulation; it prepares the lining of "
    "the womb for pregnancy.",
    "Vaginitis is a general name for inflammation of the vagina.",
    "PID stands for pelvic inflammatory disease, a general name for inflammation of the upper "
    "female reproductive organs.",
    "Appendicitis means inflammation of an appendage; the appendages of the womb are the "
    "ovaries and the fallopian tubes.",
    "Cervicitis is inflammation of the cervix, the lower, narrow part of the womb.",
    "An ovarian cyst is a fluid-filled sac in or on an ovary; many form and disappear again "
    "during the usual monthly cycle.",
};

// Report 19
constexpr std::array<std::string_view, 10> kSlot18{
    "Free radicals are unstable molecules that can damage cells; sunlight and pollution "
    "increase their number in the skin.",
    "Collagen is the main structural protein of the skin that keeps it firm and smooth.",
    "Skin grease, or sebum, is the oily substance made by glands in the skin that keeps it "
    "supple.",
    "Skin immunity refers to the defences of the skin, its barrier and the immune cells that "
    "protect it against germs and irritants.",
    "Skin moisture is the water held in the outer layers of the skin, which keeps it soft and "
    "flexible.",
    "Skin moisture loss is the water that evaporates through the skin into the air.",
    "This index refers to visible redness of the skin, such as small widened blood vessels near "
    "the surface.",
    "Skin elasticity is the ability of the skin to stretch and spring back.",
    "Melanin is the pigment that gives the skin its colour and protects it from sunlight.",
    "The horny layer is the outermost layer of the skin, made of flattened dead cells; this "
    "index refers to its thickness.",
};

// Report 20
constexpr std::array<std::string_view, 7> kSlot19{
    "The thyroid gland in the neck makes hormones that set the pace of the metabolism of the "
    "body.",
    "Parathyroid hormone, made by four small glands beside the thyroid, controls the level of "
    "calcium in the blood.",
    "The adrenal glands sit on top of the kidneys and make hormones such as cortisol and "
    "adrenaline that help the body respond to stress.",
    "The pituitary gland at the base of the brain makes hormones that steer many other glands.",
    "The pineal gland in the brain makes melatonin, a hormone that helps to regulate the cycle "
    "of sleep and waking.",
    "The thymus is a gland behind the breastbone where certain white blood cells mature; it is "
    "most active in childhood.",
    "This index is a general term for the combined output of the hormone-making glands.",
};

// Report 21
constexpr std::array<std::string_view, 9> kSlot20{
    "Lymph nodes are small bean-shaped organs along the lymph vessels that filter the lymph "
    "fluid and hold immune cells.",
    "The tonsils are lymph tissue at the back of the throat that take part in the defence "
    "against germs entering through the mouth and nose.",
    "Bone marrow is the soft tissue inside the bones that makes red blood cells, white blood "
    "cells and platelets.",
    "The spleen is an organ in the upper left part of the abdomen that filters the blood and "
    "stores white blood cells.",
    "The thymus is the organ where T cells, a kind of white blood cell, mature.",
    "Immunoglobulins, also called antibodies, are proteins that recognise germs and foreign "
    "substances and help to remove them.",
    "Respiratory immunity is the defence of the airways, from the mucus and fine hairs of their "
    "lining to the immune cells of the lungs.",
    "Gastrointestinal immunity is the defence provided by the lining of the gut and the immune "
    "tissue along it.",
    "Mucosal immunity is the defence provided by the moist linings of the body, such as those "
    "of the mouth, nose, gut and airways.",
};

// Report 22
constexpr std::array<std::string_view, 5> kSlot21{
    "Mammary gland hyperplasia is an increase in the number of cells of the breast tissue, "
    "often linked with the hormonal changes of the monthly cycle.",
    "Acute mastitis is a sudden inflammation of the breast tissue, most common during "
    "breastfeeding.",
    "Chronic mastitis is a long-lasting inflammation of the breast tissue.",
    "Endocrine dyscrasia means an imbalance of hormones, which can affect the breast tissue "
    "among other organs.",
    "A fibroadenoma is a firm, smooth lump of gland and connective tissue in the breast that is "
    "not cancerous.",
};

// Report 23
constexpr std::array<std::string_view, 10> kSlot22{
    "Vitamin A is needed for vision in dim light, for healthy skin and linings and for the "
    "immune system.",
    "Vitamin B1, thiamine, helps the body turn carbohydrates into energy and supports the "
    "nerves.",
    "Vitamin B2, riboflavin, takes part in energy production and helps to keep the skin, eyes "
    "and nerves healthy.",
    "Vitamin B3, niacin, is needed to release energy from food and supports the skin and the "
    "nervous system.",
    "Vitamin B6 takes part in the handling of protein and in making red blood cells and the "
    "messenger substances of the brain.",
    "Vitamin B12 is needed to form red blood cells and to keep the nerve cells healthy.",
    "Vitamin C is an antioxidant needed to build collagen, to absorb iron and to support the "
    "immune system.",
    "Vitamin D3 is formed in the skin in sunlight and helps the body absorb calcium for bones "
    "and teeth.",
    "Vitamin E is an antioxidant that helps to protect the membranes of the cells from damage.",
    "Vitamin K is needed for normal blood clotting and takes part in the metabolism of bone.",
};

// Report 24
constexpr std::array<std::string_view, 10> kSlot23{
    "Lysine is an essential amino acid, one that the body cannot make and must get from food; "
    "it is used to build proteins and collagen.",
    "Tryptophan is an essential amino acid from which the body makes serotonin and melatonin.",
    "Phenylalanine is an essential amino acid from which the body makes tyrosine and several "
    "messenger substances.",
    "Methionine is an essential amino acid that contains sulphur; the building of most proteins "
    "starts with it.",
    "Threonine is an essential amino acid used to build proteins such as collagen and elastin.",
    "Isoleucine is an essential branched-chain amino acid used in muscle and in energy "
    "production.",
    "Leucine is an essential branched-chain amino acid that helps to build and maintain muscle "
    "protein.",
    "Valine is an essential branched-chain amino acid involved in the growth and repair of "
    "muscle.",
    "Histidine is an amino acid from which the body makes histamine; it is essential in "
    "childhood.",
    "Arginine is an amino acid from which the body makes nitric oxide, a substance that widens "
    "the blood vessels.",
};

// Report 25
constexpr std::array<std::string_view, 7> kSlot24{
    "Lead is a heavy metal with no known use in the body; it can come from old paint, old pipes "
    "and polluted dust or soil.",
    "Mercury is a heavy metal that can reach the body through some kinds of fish, old dental "
    "fillings and industrial pollution.",
    "Cadmium is a heavy metal found in tobacco smoke and in some foods grown in polluted soil; "
    "it tends to collect in the kidneys.",
    "Chromium occurs in one form that is a trace nutrient and in an industrial form that is "
    "harmful.",
    "Arsenic is a toxic element that can occur in drinking water from some ground sources and "
    "in some foods.",
    "Antimony is a metal-like element used in flame retardants, plastics and alloys.",
    "Thallium is a toxic heavy metal that has been used in pesticides and in industry.",
};

// Report 26
constexpr std::array<std::string_view, 16> kSlot25{
    "Bacterial allergy refers to an over-reaction of the immune system to bacteria or to "
    "substances they produce.",
    "Antibiotics are medicines that kill bacteria or stop their growth; some people react to "
    "certain antibiotics with an allergy.",
    "Heterologous serum is serum taken from another species, such as the horse serum once used "
    "in some antitoxins, which can provoke an immune reaction.",
    "This term refers to the caine mixture, a group of local anaesthetics, substances that numb "
    "the skin, used together in skin sensitivity testing.",
    "Epoxy resins are strong synthetic glues and coatings; their uncured components are a known "
    "cause of skin sensitivity.",
    "The quinoline mix is a group of antiseptic substances found in some creams and ointments.",
    "Microbial infection is the entry and growth of germs such as bacteria, viruses or fungi in "
    "the body.",
    "Ionizing radiation is high-energy radiation, such as X-rays and gamma rays, that can change "
    "the molecules of the cells.",
    "Potassium dichromate is a chromium compound found in cement, in leather tanning and in some "
    "paints, and a common cause of skin sensitivity.",
    "This term refers to the carba mixture, a group of chemicals used in making rubber and found "
    "in gloves and other rubber goods.",
    "Animal hair, with the skin flakes and saliva attached to it, carries proteins that can "
    "trigger allergies.",
    "Paints contain pigments, binders and solvents, some of which can irritate the skin and the "
    "airways.",
    "UV is ultraviolet radiation, the invisible part of sunlight that tans and burns the skin.",
    "Formaldehyde is a strong-smelling chemical used in building materials, glues and some "
    "cosmetics and preservatives.",
    "Lanolin alcohols come from the wax of sheep's wool and are used in creams and ointments.",
    "Chloride is the form of chlorine found in table salt; the term here also covers the "
    "chlorine compounds used in cleaning and water treatment.",
};

// Report 27
constexpr std::array<std::string_view, 8> kSlot26{
    "The orbicularis muscle is the ring of muscle around the eye that closes the eyelids; when "
    "it thickens it can form a small roll below the lower lid.",
    "This term refers to the fine lines around the eyes that form as the collagen of the skin "
    "becomes thinner.",
    "Dark circles are darker areas of skin under the eyes, caused by pigment, thin skin or "
    "visible blood vessels.",
    "Lymphatic obstruction is a slowed drainage of lymph fluid, which can make the tissue "
    "puffy.",
    "This term refers to the sagging of the skin and tissue below the eyes as they lose their "
    "firmness.",
    "Edema is swelling caused by fluid collecting in the tissues.",
    "Eye cell activity is a general term for the renewal and working condition of the cells of "
    "the eye area.",
    "Visual fatigue is tiredness of the eyes after long close work or screen use, with dryness, "
    "aching or blurred vision.",
};

// Report 28
constexpr std::array<std::string_view, 5> kSlot27{
    "Glucose tolerance is the ability of the body to bring the blood sugar back to its usual "
    "level after a meal.",
    "Lipid metabolism covers how the body takes in, stores, moves and burns fats.",
    "Brown adipose tissue is a kind of fat that burns energy to produce heat rather than "
    "storing it.",
    "Sleep apnea means repeated pauses in breathing during sleep.",
    "High insulin refers to more insulin in the blood than usual, for example when the cells "
    "respond less readily to it.",
};

// Report 29
constexpr std::array<std::string_view, 5> kSlot28{
    "Bone alkaline phosphatase is an enzyme made by the bone-forming cells; its level follows "
    "the building of bone, which is high during growth.",
    "Osteocalcin is a protein made by the bone-forming cells that helps to bind calcium into "
    "bone.",
    "The long bones are the bones of the arms and legs; this term refers to their growth and "
    "repair.",
    "Short bones, such as those of the wrist and ankle, grow from cartilage; this term refers to "
    "their growth and repair.",
    "The epiphyseal line is the growth plate near the ends of the long bones; the bones grow in "
    "length there until the plate closes after puberty.",
};

// Report 30
constexpr std::array<std::string_view, 6> kSlot29{
    "Nicotinamide is a form of vitamin B3 that is part of the coenzymes used to produce energy "
    "in the cells.",
    "Biotin, also called vitamin B7, is a coenzyme needed for breaking down fats, carbohydrates "
    "and protein.",
    "Pantothenic acid, vitamin B5, is part of coenzyme A, which is central to energy production "
    "and to the metabolism of fat.",
    "Folic acid, a form of vitamin B9, is needed to make DNA and to form red blood cells.",
    "Coenzyme Q10 is a substance made by the body that helps the cells produce energy and acts "
    "as an antioxidant.",
    "Glutathione is a small protein made in the body that acts as an antioxidant and helps to "
    "remove unwanted substances.",
};

// Report 36
constexpr std::array<std::string_view, 14> kSlot35{
    "Collagen is the main structural protein of the body; in the eye it forms much of the clear "
    "cornea and of the white outer coat.",
    "In the teeth, collagen forms the framework of the dentine and holds the teeth in their "
    "sockets.",
    "In the skin, collagen gives firmness and strength, and it supports the roots of the hair.",
    "In the endocrine system, collagen forms the supporting framework of the hormone-making "
    "glands.",
    "In the circulatory system, collagen gives strength to the walls of the heart and the blood "
    "vessels.",
    "In the digestive system, collagen supports the walls of the stomach and the intestines.",
    "In the immune system, collagen forms the framework of the lymph nodes, the spleen and the "
    "other immune organs.",
    "In the organs of movement, collagen is the main protein of tendons, ligaments and "
    "cartilage.",
    "In muscle tissue, collagen forms the sheaths that bind the muscle fibres together and "
    "connect them to the tendons.",
    "In fatty tissue, collagen forms the network that holds the fat cells in place.",
    "In the liver and the kidneys, the organs of detoxification and metabolism, collagen forms "
    "the supporting framework.",
    "In the reproductive organs, collagen gives strength and elasticity to their tissues.",
    "In the nervous system, collagen is part of the protective sheaths around the nerves.",
    "In the skeleton, collagen forms the flexible framework of bone into which the minerals are "
    "laid.",
};

// Report 37
constexpr std::array<std::string_view, 4> kSlot36{
    "Peristalsis of the large intestine is the slow muscle movement that moves waste towards "
    "the rectum.",
    "The colon absorbs water and salts from the remaining contents of the gut, turning them "
    "into stool.",
    "The intestine is home to a large community of bacteria that help to digest fibre, produce "
    "some vitamins and support the defences of the gut.",
    "Intraluminal pressure is the pressure inside the hollow of the intestine.",
};

// Report 38
constexpr std::array<std::string_view, 4> kSlot37{
    "Free thyroxine is the part of the thyroid hormone thyroxine that is not bound to proteins "
    "in the blood and can act on the cells.",
    "Thyroglobulin is a protein made by the thyroid gland from which the thyroid hormones are "
    "formed.",
    "Anti-thyroglobulin antibodies are antibodies directed against thyroglobulin, the protein "
    "from which the thyroid hormones are formed.",
    "Triiodothyronine, T3, is the more active of the two main thyroid hormones; it is made in "
    "the thyroid gland and from thyroxine in other tissues.",
};

// Indexed by slot; the reports without description boxes have no entry.
constexpr std::array<Paragraphs, kReportSlotCount> kDescriptions{{
    kSlot00, kSlot01, kSlot02, {},      kSlot04, kSlot05, {},      kSlot07, {},      kSlot09,
    kSlot10, kSlot11, kSlot12, kSlot13, kSlot14, kSlot15, kSlot16, kSlot17, kSlot18, kSlot19,
    kSlot20, kSlot21, kSlot22, kSlot23, kSlot24, kSlot25, kSlot26, kSlot27, kSlot28, kSlot29,
    {},      {},      {},      {},      {},      kSlot35, kSlot36, kSlot37, {},      {},
}};

} // namespace

std::span<const std::string_view> ItemDescriptions(int slot) {
    if (slot < 0 || slot >= kReportSlotCount)
        return {};
    return kDescriptions[static_cast<std::size_t>(slot)];
}

} // namespace hv::prose
