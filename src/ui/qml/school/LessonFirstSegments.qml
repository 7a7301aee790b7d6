// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import MerrinVale

// Segments 01 to 03: what a chance of rain means, the coverage words, and summer storms.
ColumnLayout {
    Layout.fillWidth: true
    spacing: 40

    Segment {
        number: "01"
        title: "WHAT 40% ACTUALLY MEANS"
        Layout.fillWidth: true

        BodyText {
            markdown: "This is the one I get asked about most. When I say there's a 40% chance of rain, people hear all sorts of things: it'll rain for 40% of the day, or four forecasters in ten think it will rain. It's neither."
        }
        BodyText {
            markdown: "The number is the *probability of precipitation*, and it's built from two pieces multiplied together. The first is confidence: how sure I am that measurable rain falls somewhere in the forecast area during that time. The second is coverage: if it does rain, how much of the area gets wet."
        }
        FormulaPlate {}
        BodyText {
            markdown: "So 40% can mean I'm 80% sure storms will go up, but they'll only reach half the area. Or it can mean I'm only 50% sure anything happens at all, but if it does, it soaks 80% of the area. Same number, two very different days."
        }
        PopLab {
            objectName: "popLab"
        }
        BodyText {
            markdown: "Day A is the uncertain one: a front that might stall before it reaches you, or might not. If it comes, everyone gets wet together; if it doesn't, nobody does. Day B is the summer afternoon I know in my bones: the air is loaded and something *will* fire, but each storm is only a few miles wide and they land where they land. On Day B your neighbour can be bailing out the patio while you're watering the lawn."
        }
        Callout {
            text: "Same 40%. Two completely different days to plan for."
        }
        BodyText {
            markdown: "That's also why a single forecast can't be right or wrong on its own. If I say 40% and you stay dry, I wasn't wrong. If you get drenched, I wasn't wrong either. The test comes over many days: of all the days I said 40%, it should have rained on about four in ten. That's how forecasts get graded."
        }
        BodyText {
            markdown: "And one thing the percentage never tells you is *how much*. A 90% day can be a drizzle that barely darkens the pavement, and a 20% day can bring the one storm that drops two inches on your street. When the amount matters, I'll give it to you separately."
        }
    }

    Segment {
        number: "02"
        title: "WHY I SAY “SCATTERED”"
        Layout.fillWidth: true

        BodyText {
            markdown: "When I say “scattered showers” or “isolated storms”, I'm not being poetic. Those words are a standard vocabulary that forecasters share, and each one stands for a slice of the area that's expected to get wet. They're the coverage half of the formula, in plain English."
        }
        CoverageTable {}
        BodyText {
            markdown: "So “isolated” means a few spots here and there, “scattered” means something like a third to a half of the area, and once I'm at 80% or more I stop qualifying it and simply say rain."
        }
        BodyText {
            markdown: "Here's the part most people miss: *scattered showers is a confident forecast.* It says I'm sure rain will happen somewhere near you, and the only question is where. If you hear “scattered” and think “probably not”, you'll be the one running for the car."
        }
    }

    Segment {
        number: "03"
        title: "SUMMER STORMS ARE A DIFFERENT ANIMAL"
        Layout.fillWidth: true

        BodyText {
            markdown: "A winter storm system is a big, slow thing: hundreds of miles across, steered by the jet stream, visible in the models days ahead. A summer thunderstorm is a different animal, and there are three reasons it's so much harder to pin down."
        }
        NumberedPoint {
            index: 1
            lead: "It's smaller than the model can see."
            detail: "Weather models chop the atmosphere into a grid of boxes, and a single storm cell can be smaller than one box. The model can tell the ingredients are there, but it can't draw the storm itself, so it has to estimate where storms are likely to form."
        }
        NumberedPoint {
            index: 2
            lead: "It's chaotic on a scale of minutes."
            detail: "A storm can go from a harmless-looking cloud to lightning in twenty minutes, set off by a sea breeze, a hillside or the outflow of another storm. Tiny differences in heat and moisture decide which street gets it, and nobody measures the air that finely."
        }
        NumberedPoint {
            index: 3
            lead: "Nearly right still scores as wrong."
            detail: "Put a storm ten miles from where it really forms and a forecast is penalised twice: once for the rain it promised that never came, and again for the rain it missed. That double penalty is why a storm forecast in nearly the right place can grade worse than no storm at all."
        }
        BodyText {
            markdown: "So on a summer afternoon I'll give you the odds, the time window and the threat, and I'll be honest that the exact address is out of anyone's reach."
        }
    }
}
