// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import MerrinVale

// Segments 04 to 07: next-hour forecasts, radar, how far ahead anyone can see, and the
// forecasters' own reasoning.
ColumnLayout {
    Layout.fillWidth: true
    spacing: 40

    Segment {
        number: "04"
        title: "WHY I WON'T PROMISE YOU RAIN AT 3:47"
        Layout.fillWidth: true

        BodyText {
            markdown: "Minute-by-minute rain forecasts look wonderfully precise. Most of them work the same way: take the latest radar picture, measure how the rain is moving, and slide it forward in time. That's *extrapolation*, and for a band of rain marching steadily across the map it works well for the next half hour or so."
        }
        BodyText {
            markdown: "Where it falls apart is storms that grow, fade or form out of a clear sky, which is exactly what summer storms do. Extrapolation can only move what's already there. It can't see a storm that hasn't been born yet."
        }
        Callout {
            text: "Precision isn't accuracy. A time to the minute is not a promise to the minute."
        }
        BodyText {
            markdown: "About the next-hour strip in this app: it comes from Open-Meteo's 15-minute forecast, weather-model output in quarter-hour steps that the app spreads across the minutes. Trust it for an approaching band of steady rain. When the sky is still building on a summer afternoon, treat it as a hint and keep one eye on the window."
        }
        BodyText {
            markdown: "And be wary of anyone who promises weather for your exact street. The National Weather Service forecasts on a grid of squares about 2.5 kilometres, a mile and a half, on a side. That's remarkably fine, but everything inside one square shares a forecast: your garden, the park down the road and the supermarket car park all get the same number."
        }
    }

    Segment {
        number: "05"
        title: "SOMETIMES THE RADAR IS LYING TO YOU"
        Layout.fillWidth: true

        BodyText {
            markdown: "I love radar. But radar shows you the sky, not the ground, and a few things can make its picture lie."
        }
        BodyText {
            markdown: "*Rain that never lands.* In dry air, think desert afternoons, rain can evaporate on the way down. The radar sees a healthy green blob while the ground stays bone dry."
        }
        BodyText {
            markdown: "*A beam that climbs with distance.* The radar beam travels in a straight line while the Earth curves away beneath it, so the farther you are from the radar, the higher up it's looking. Far out it can sail over low rain entirely, or see rain aloft that never reaches you."
        }
        BodyText {
            markdown: "*Clutter near the site.* Close to the radar, buildings, hills, trees, even flocks of birds and clouds of insects bounce the beam back and show up as echoes that aren't rain."
        }
        BodyText {
            markdown: "So a radar is most useful from roughly 5 to 200 kilometres out, about 3 to 125 miles. Closer in it's cluttered; farther out it's looking over the top of the weather."
        }
    }

    Segment {
        number: "06"
        title: "HOW FAR AHEAD CAN I REALLY SEE?"
        Layout.fillWidth: true

        BodyText {
            markdown: "Here's how NOAA sums up forecast skill by how far ahead you look:"
        }
        LeadTimeChart {}
        BodyText {
            markdown: "That's far better than it used to be. Forecasts have gained about a day of skill every decade, so today's five-day forecast is as good as a four-day forecast was ten years ago."
        }
        BodyText {
            markdown: "But there's a line. Past about eight days, the day-by-day detail, Tuesday sunny and 72°, Wednesday storms, stops meaning much. Trends last longer: *the week after next looks warmer than usual* is a fair thing to say, *rain at noon on the 23rd* isn't."
        }
        BodyText {
            markdown: "And there's a hard ceiling of roughly two weeks, however big the computers get. The atmosphere magnifies small errors: a temperature a fraction off over the ocean today becomes a misplaced storm next week. Nobody can measure every breath of air perfectly, so the errors always win in the end."
        }
        BodyText {
            markdown: "What we can do is measure the uncertainty. Forecast centres run the same model dozens of times, each from slightly nudged starting conditions: an *ensemble*. When the runs agree, I'm confident. When they scatter in every direction, that's what I mean by *confidence is low*. Not that I don't know the weather, but that the atmosphere hasn't made up its mind."
        }
    }

    Segment {
        number: "07"
        title: "WHY I READ WHAT THE FORECASTERS WROTE"
        Layout.fillWidth: true

        BodyText {
            markdown: "Computer models do the heavy lifting now, and they're very good at it. But there are four places where a human forecaster still earns their keep."
        }
        NumberedPoint {
            index: 1
            lead: "The unusual days."
            detail: "Models learn from the typical. On a rare setup, a record heat dome or an ice storm on a knife edge, an experienced forecaster can spot where the models are likely to stumble."
        }
        NumberedPoint {
            index: 2
            lead: "Deciding who to believe."
            detail: "The models often disagree. A forecaster knows which one has handled this pattern well this week, and which one has a habit of overdoing the rain."
        }
        NumberedPoint {
            index: 3
            lead: "Knowing the ground."
            detail: "The fog that sits in one valley until ten, the ridge that breaks storms apart, the lake that feeds snow to one town and not the next: local knowledge no grid box holds."
        }
        NumberedPoint {
            index: 4
            lead: "Saying how sure they are."
            detail: "A good forecaster tells you not only what they expect, but how confident they are and what would change their mind."
        }
        BodyText {
            markdown: "All of that ends up in one place: the *Forecast Discussion*. Several times a day the forecasters at your local National Weather Service office write out their reasoning: which model they trust, what worries them, what could go wrong. It's written for other meteorologists, so hardly anyone else reads it. I read it before every briefing, and it's why my briefings sound the way they do."
        }
    }
}
